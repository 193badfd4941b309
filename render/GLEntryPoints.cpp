#include "render/GLEntryPoints.h"

#define EGL_NO_X11
#include <EGL/egl.h>
#include <GL/glx.h>

GLProc DefaultGLProcLookup(const char* name) {
    if (eglGetCurrentContext() != EGL_NO_CONTEXT)
        return eglGetProcAddress(name);
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}
