#pragma once

#include <GL/gl.h>

// Looking up OpenGL entry points beyond the ones the GL library exports.

// Any OpenGL function, as a lookup returns it; cast to the real type before calling.
using GLProc = void (*)();
// A lookup of an entry point by name; null for a missing one.
using GLProcLookup = GLProc (*)(const char* name);

// The platform lookup: eglGetProcAddress when an EGL context is current in this thread,
// glXGetProcAddressARB otherwise.
GLProc DefaultGLProcLookup(const char* name);

// An entry point looked up with lookup, cast to its function type; null for a missing one.
template <class TFunction> TFunction LookupGLFunction(GLProcLookup lookup, const char* name) {
    return reinterpret_cast<TFunction>(lookup(name));
}

// The fragment-program environment-parameter entry points the drawing code calls (four floats,
// always with the target GL_FRAGMENT_PROGRAM_ARB); null until a surface's start-up found them
// (GetEnvParameter also when the driver lacks it).
struct CGLFunctions {
    PFNGLPROGRAMENVPARAMETER4FVARBPROC SetEnvParameter = nullptr;
    PFNGLGETPROGRAMENVPARAMETERFVARBPROC GetEnvParameter = nullptr;
};
