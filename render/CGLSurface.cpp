#include "render/CGLSurface.h"

#include "base/CLogFile.h"
#include "base/StringPrintf.h"
#include "render/GLErrors.h"

#include <cstring>

CGLSurface::CGLSurface(CLogFile& log, GLProcLookup lookup) : Log(log), Lookup(lookup) {
    for (int i = 0; i < FragmentProgramCount; ++i)
        ProgramTexts[i] = FragmentProgramText(static_cast<EFragmentProgram>(i));
}

bool CGLSurface::InitGL() {
    bool loaded = false;
    CGLFunctions found;
    if (MakeCurrent()) {
        glClearColor(0.8f, 0.8f, 0.8f, 0.0f);
        loaded = LoadFragmentPrograms();
        found.SetEnvParameter = LookupGLFunction<PFNGLPROGRAMENVPARAMETER4FVARBPROC>(
            Lookup, "glProgramEnvParameter4fvARB");
        found.ClientActiveTexture =
            LookupGLFunction<PFNGLCLIENTACTIVETEXTUREARBPROC>(Lookup, "glClientActiveTexture");
        found.GenBuffers = LookupGLFunction<PFNGLGENBUFFERSPROC>(Lookup, "glGenBuffers");
        found.DeleteBuffers = LookupGLFunction<PFNGLDELETEBUFFERSPROC>(Lookup, "glDeleteBuffers");
        found.BindBuffer = LookupGLFunction<PFNGLBINDBUFFERPROC>(Lookup, "glBindBuffer");
        found.BufferData = LookupGLFunction<PFNGLBUFFERDATAPROC>(Lookup, "glBufferData");
        found.GenFramebuffers =
            LookupGLFunction<PFNGLGENFRAMEBUFFERSPROC>(Lookup, "glGenFramebuffers");
        found.DeleteFramebuffers =
            LookupGLFunction<PFNGLDELETEFRAMEBUFFERSPROC>(Lookup, "glDeleteFramebuffers");
        found.BindFramebuffer =
            LookupGLFunction<PFNGLBINDFRAMEBUFFERPROC>(Lookup, "glBindFramebuffer");
        found.GenRenderbuffers =
            LookupGLFunction<PFNGLGENRENDERBUFFERSPROC>(Lookup, "glGenRenderbuffers");
        found.DeleteRenderbuffers =
            LookupGLFunction<PFNGLDELETERENDERBUFFERSPROC>(Lookup, "glDeleteRenderbuffers");
        found.BindRenderbuffer =
            LookupGLFunction<PFNGLBINDRENDERBUFFERPROC>(Lookup, "glBindRenderbuffer");
        found.RenderbufferStorage =
            LookupGLFunction<PFNGLRENDERBUFFERSTORAGEPROC>(Lookup, "glRenderbufferStorage");
        found.FramebufferRenderbuffer =
            LookupGLFunction<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(Lookup, "glFramebufferRenderbuffer");
        found.BlitFramebuffer =
            LookupGLFunction<PFNGLBLITFRAMEBUFFERPROC>(Lookup, "glBlitFramebuffer");
    }
    if (!loaded || !found.Complete()) {
        CheckGLError(Log);
        Log.Error("Opengl initialization failed",
                  "Could not load the 'ARB fragment program' extension");
        return false;
    }
    Functions = found;
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
    return true;
}

bool CGLSurface::LoadFragmentPrograms() {
    if (!HasExtension("GL_ARB_fragment_program"))
        return false;
    auto genPrograms = LookupGLFunction<PFNGLGENPROGRAMSARBPROC>(Lookup, "glGenProgramsARB");
    auto bindProgram = LookupGLFunction<PFNGLBINDPROGRAMARBPROC>(Lookup, "glBindProgramARB");
    auto programString = LookupGLFunction<PFNGLPROGRAMSTRINGARBPROC>(Lookup, "glProgramStringARB");
    auto getProgramiv = LookupGLFunction<PFNGLGETPROGRAMIVARBPROC>(Lookup, "glGetProgramivARB");
    if (genPrograms == nullptr || bindProgram == nullptr || programString == nullptr ||
        getProgramiv == nullptr)
        return false;
    BindProgramEntry = bindProgram;

    genPrograms(FragmentProgramCount, Programs);
    // The normal program goes last so that it stays bound.
    for (EFragmentProgram program : {SpecularProgram, DebugProgram, NormalProgram}) {
        const std::string& text = ProgramTexts[program];
        bindProgram(GL_FRAGMENT_PROGRAM_ARB, Programs[program]);
        programString(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB,
                      static_cast<GLsizei>(text.size()), text.c_str());
    }

    // Only a rejected program text counts as a failure; other pending errors are consumed.
    if (glGetError() != GL_INVALID_OPERATION)
        return true;
    GLint underNativeLimits = 0;
    getProgramiv(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_UNDER_NATIVE_LIMITS_ARB, &underNativeLimits);
    GLint position = 0;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &position);
    if (position == -1 && underNativeLimits == 1)
        return false;
    const GLubyte* message = glGetString(GL_PROGRAM_ERROR_STRING_ARB);
    Log.Error("GPU program: ", ProgramTexts[NormalProgram]);
    Log.Error("Error loading GPU program",
              StringPrintf("error at position: %d\n%s", position,
                           message != nullptr ? reinterpret_cast<const char*>(message) : ""));
    return false;
}

bool CGLSurface::HasExtension(const char* name) {
    const GLubyte* extensions = glGetString(GL_EXTENSIONS);
    return extensions != nullptr &&
           std::strstr(reinterpret_cast<const char*>(extensions), name) != nullptr;
}

bool CGLSurface::BindProgram(EFragmentProgram program) {
    if (BindProgramEntry == nullptr)
        return false;
    BindProgramEntry(GL_FRAGMENT_PROGRAM_ARB, Programs[program]);
    return true;
}

const std::string& CGLSurface::GetProgramText(EFragmentProgram program) const {
    return ProgramTexts[program];
}

void CGLSurface::SetProgramText(EFragmentProgram program, const std::string& text) {
    ProgramTexts[program] = text;
}
