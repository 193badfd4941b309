#include "render/GLErrors.h"

#include "base/CLogFile.h"

#include <GL/gl.h>

const char* GLErrorText(unsigned int code) {
    switch (code) {
    case GL_INVALID_ENUM:
        return "An unacceptable value is specified for an enumerated argument. The offending "
               "function is ignored, having no side effect other than to set the error flag.";
    case GL_INVALID_VALUE:
        return "A numeric argument is out of range. The offending function is ignored, having "
               "no side effect other than to set the error flag.";
    case GL_INVALID_OPERATION:
        return "The specified operation is not allowed in the current state. The offending "
               "function is ignored, having no side effect other than to set the error flag.";
    case GL_STACK_OVERFLOW:
        return "This function would cause a stack overflow. The offending function is "
               "ignored, having no side effect other than to set the error flag.";
    case GL_STACK_UNDERFLOW:
        return "This function would cause a stack underflow. The offending function is "
               "ignored, having no side effect other than to set the error flag.";
    case GL_OUT_OF_MEMORY:
        return "There is not enough memory left to execute the function. The state of OpenGL "
               "is undefined, except for the state of the error flags, after this error is "
               "recorded.";
    default:
        return nullptr;
    }
}

void CheckGLError(CLogFile& log) {
    const char* text = GLErrorText(glGetError());
    if (text != nullptr)
        log.Error("opengl reported an error", text);
}
