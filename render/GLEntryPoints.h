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

// The entry points beyond OpenGL 1.1 that the drawing code calls: the fragment programs'
// environment parameters (four floats, always with the target GL_FRAGMENT_PROGRAM_ARB), the
// client texture unit that texture coordinate arrays are given for, buffer objects, and the
// framebuffer objects and blits the saved tree image lives in. Null until a surface's start-up
// found them all.
struct CGLFunctions {
    PFNGLPROGRAMENVPARAMETER4FVARBPROC SetEnvParameter = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC ClientActiveTexture = nullptr;
    PFNGLGENBUFFERSPROC GenBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC BindBuffer = nullptr;
    PFNGLBUFFERDATAPROC BufferData = nullptr;
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;

    // Whether every entry point is there.
    bool Complete() const {
        return SetEnvParameter != nullptr && ClientActiveTexture != nullptr &&
               GenBuffers != nullptr && DeleteBuffers != nullptr && BindBuffer != nullptr &&
               BufferData != nullptr && GenFramebuffers != nullptr &&
               DeleteFramebuffers != nullptr && BindFramebuffer != nullptr &&
               GenRenderbuffers != nullptr && DeleteRenderbuffers != nullptr &&
               BindRenderbuffer != nullptr && RenderbufferStorage != nullptr &&
               FramebufferRenderbuffer != nullptr && BlitFramebuffer != nullptr;
    }
};
