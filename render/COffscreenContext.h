#pragma once

#include "render/CGLSurface.h"

#include <string>
#include <vector>

// A drawing surface without a display: an OpenGL compatibility-profile context of Mesa's
// surfaceless EGL platform, drawing into a framebuffer object of a fixed size (RGBA8 colour
// plus depth). Runs the same start-up (InitGL) as the window; the pixels are read back for
// images and tests.
class COffscreenContext : public CGLSurface {
public:
    // log (borrowed) hears of start-up failures; lookup finds the entry points.
    explicit COffscreenContext(CLogFile& log, GLProcLookup lookup = DefaultGLProcLookup)
        : CGLSurface(log, lookup) {}
    // Deletes the framebuffer and the context.
    ~COffscreenContext() override;

    // Creates the context and a framebuffer of width by height pixels, makes it current and
    // sets the viewport to the whole framebuffer. Returns false, with the reason in
    // GetError(), when the size is not positive or EGL, the context or the framebuffer cannot
    // be had; nothing is left behind then and MakeCurrent (so InitGL) fails. A second call
    // replaces the first context.
    bool Create(int width, int height);

    // What made the last Create fail; empty after a success.
    const std::string& GetError() const { return Error; }

    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }

    // Makes the context current with the framebuffer bound; false before a successful Create.
    bool MakeCurrent() override;

    // The framebuffer's pixels as GL reads them: 4 bytes (RGBA) per pixel, rows from the
    // bottom up. Empty before a successful Create.
    std::vector<unsigned char> ReadPixels();

private:
    // Deletes what Create made (also a half-made context).
    void Destroy();
    // Records why Create failed, destroys what it made, returns false.
    bool Fail(const std::string& reason);

    void* Display = nullptr;          // EGLDisplay; shared by the process, never terminated
    void* Context = nullptr;          // EGLContext; owned
    GLuint Framebuffer = 0;           // owned by the context
    GLuint Renderbuffers[2] = {0, 0}; // colour and depth; owned by the context
    int Width = 0;
    int Height = 0;
    std::string Error;
};
