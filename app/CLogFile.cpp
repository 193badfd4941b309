#include "app/CLogFile.h"

#include <GL/gl.h>

CLogFile::~CLogFile() {
    Write("stop logging", "closing file", "");
    if (File != nullptr)
        std::fclose(File);
}

bool CLogFile::Open(const std::string& fileName) {
    FileName = fileName;
    File = std::fopen(FileName.c_str(), "w");
    if (File != nullptr)
        Write("start logging", "opening log file", "");
    return File != nullptr;
}

void CLogFile::Write(const std::string& message, const std::string& detail,
                     const std::string& tag) {
    if (File == nullptr)
        return;
    std::string line;
    if (!tag.empty())
        line = "[" + tag + "] ";
    line += message + ": " + detail + "\n";
    if (std::fputs(line.c_str(), File) >= 0)
        std::fflush(File);
}

void CLogFile::Error(const std::string& heading, const std::string& detail) {
    Write(heading, detail, "error");
}

const char* CLogFile::GLErrorText(unsigned int code) {
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

void CLogFile::CheckGLError() {
    const char* text = GLErrorText(glGetError());
    if (text != nullptr)
        Error("opengl reported an error", text);
}
