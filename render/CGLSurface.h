#pragma once

#include "render/FragmentPrograms.h"
#include "render/GLEntryPoints.h"

#include <GL/gl.h>
#include <string>

class CLogFile;

// An OpenGL drawing surface and the start-up of its context: the clear colour, the check for
// the ARB fragment program extension, the three fragment programs and the entry points the
// drawing code needs (CGLFunctions). Knows nothing of windows: a
// subclass says how its context is made current (the desktop canvas, or an offscreen context).
class CGLSurface {
public:
    // log (borrowed) hears of start-up failures; lookup finds the entry points (tests give
    // one that hides some).
    explicit CGLSurface(CLogFile& log, GLProcLookup lookup = DefaultGLProcLookup);
    virtual ~CGLSurface() = default;
    CGLSurface(const CGLSurface&) = delete;
    CGLSurface& operator=(const CGLSurface&) = delete;

    // Makes this surface's context current in the calling thread. False when the surface has
    // no usable context (nothing is made current then).
    virtual bool MakeCurrent() = 0;

    // The start-up: makes the context current, sets the clear colour to (0.8, 0.8, 0.8, 0),
    // loads the fragment programs (the normal one stays bound), looks up the entry points the
    // drawing code calls (GetFunctions) and leaves GL_FRAGMENT_PROGRAM_ARB disabled. Returns
    // false when the context, the extension, an entry point or a program is missing or
    // rejected; the log then holds "Opengl initialization failed" (after any program error
    // entries), and GetFunctions keeps its previous entry points.
    bool InitGL();

    // Checks for the extension, looks up its entry points, generates three program names and
    // loads the specular, debug and normal programs in that order, so that the normal program
    // stays bound. Returns false when something is missing or the driver rejects a program;
    // a rejected program is logged with the normal program's text and the driver's position
    // and message. Needs a current context.
    bool LoadFragmentPrograms();

    // Whether the current context's extension string contains name (as a substring); false
    // without a current context.
    static bool HasExtension(const char* name);

    // Binds one of the loaded programs to GL_FRAGMENT_PROGRAM_ARB. False (nothing bound)
    // before LoadFragmentPrograms found the extension's entry points.
    bool BindProgram(EFragmentProgram program);

    // The entry points the drawing code calls; null ones before a successful InitGL.
    const CGLFunctions& GetFunctions() const { return Functions; }

    // The GL name of a program; 0 before LoadFragmentPrograms generated the names.
    GLuint GetProgram(EFragmentProgram program) const { return Programs[program]; }

    // The text that LoadFragmentPrograms loads for a program; the built-in text unless
    // replaced. Replacing lets a caller (a test) try a text the driver may reject.
    const std::string& GetProgramText(EFragmentProgram program) const;
    void SetProgramText(EFragmentProgram program, const std::string& text);

protected:
    CLogFile& Log;
    GLProcLookup Lookup;
    // Fragment program names, indexed by EFragmentProgram.
    GLuint Programs[FragmentProgramCount] = {0, 0, 0};

private:
    std::string ProgramTexts[FragmentProgramCount];
    PFNGLBINDPROGRAMARBPROC BindProgramEntry = nullptr; // null until the extension is found
    CGLFunctions Functions;
};
