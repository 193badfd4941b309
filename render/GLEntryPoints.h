#pragma once

#include <GL/gl.h>

// Looking up OpenGL entry points beyond the ones the GL library exports, and the two
// process-wide fragment-program parameter entry points shared by the drawing code.

// Any OpenGL function, as the lookup returns it; cast to the real type before calling.
using GLProc = void (*)();
// A lookup of an entry point by name; null for a missing one.
using GLProcLookup = GLProc (*)(const char* name);

// Looks an entry point up with the current lookup (DefaultGLProcLookup unless replaced).
// Returns null for a missing entry point: every caller tests the result.
GLProc GetGLProcAddress(const char* name);

// The platform lookup: eglGetProcAddress when an EGL context is current in this thread,
// glXGetProcAddressARB otherwise.
GLProc DefaultGLProcLookup(const char* name);

// Replaces the lookup (tests use it to make entry points go missing); null restores the
// default. Returns the lookup it replaced.
GLProcLookup SetGLProcLookup(GLProcLookup lookup);

// GetGLProcAddress cast to the entry point's function type; null for a missing one.
template <class TFunction> TFunction LookupGLFunction(const char* name) {
    return reinterpret_cast<TFunction>(GetGLProcAddress(name));
}

// Sets one fragment-program environment parameter (four floats); null until the GL start-up
// succeeded. Always called with the target GL_FRAGMENT_PROGRAM_ARB.
extern PFNGLPROGRAMENVPARAMETER4FVARBPROC SetEnvParameter;
// Reads one fragment-program environment parameter back; null until the GL start-up
// succeeded (and when the driver lacks it).
extern PFNGLGETPROGRAMENVPARAMETERFVARBPROC GetEnvParameter;
