#include "render/GLEntryPoints.h"

#define EGL_NO_X11
#include <EGL/egl.h>
#include <GL/glx.h>

PFNGLPROGRAMENVPARAMETER4FVARBPROC SetEnvParameter = nullptr;
PFNGLGETPROGRAMENVPARAMETERFVARBPROC GetEnvParameter = nullptr;

namespace {

GLProcLookup CurrentLookup = DefaultGLProcLookup;

} // namespace

GLProc DefaultGLProcLookup(const char* name) {
    if (eglGetCurrentContext() != EGL_NO_CONTEXT)
        return eglGetProcAddress(name);
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

GLProc GetGLProcAddress(const char* name) {
    return CurrentLookup(name);
}

GLProcLookup SetGLProcLookup(GLProcLookup lookup) {
    GLProcLookup previous = CurrentLookup;
    CurrentLookup = lookup != nullptr ? lookup : DefaultGLProcLookup;
    return previous;
}
