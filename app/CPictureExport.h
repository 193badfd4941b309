#pragma once

#include "render/FragmentPrograms.h"

#include <string>
#include <vector>

class CBasicView;
class CGLCanvas;
class CLogFile;
class IViewHost;
class wxWindow;

// File, Export Picture...: writes what the view shows, selection and labels included, as a
// PNG file, at the canvas's size (read back from the canvas's own drawing) or at another size
// (drawn offscreen, the view laid out for that size for the while).
class CPictureExport {
public:
    // canvas (borrowed) draws the view in the window; log (borrowed) hears of GL failures.
    CPictureExport(CGLCanvas& canvas, CLogFile& log) : Canvas(canvas), Log(log) {}

    // Asks for the size (the canvas's at first) and the file, then writes it; a failure is
    // shown in a message box "Export Picture". host is the view's window (borrowed).
    void Run(wxWindow* parent, CBasicView& view, IViewHost* host, EFragmentProgram program);
    // Draws view at width x height with program bound and writes the PNG file. Returns false,
    // with the reason in error, when it cannot be drawn or written.
    bool Write(CBasicView& view, IViewHost* host, EFragmentProgram program, int width, int height,
               const std::string& file, std::string& error);

private:
    // The view drawn by the canvas's context into its back buffer, read back (rows bottom up).
    std::vector<unsigned char> DrawOnCanvas(CBasicView& view, int width, int height);
    // The view drawn offscreen at width x height; empty, with the reason in error, on failure.
    std::vector<unsigned char> DrawOffscreen(CBasicView& view, IViewHost* host,
                                             EFragmentProgram program, int width, int height,
                                             std::string& error);

    CGLCanvas& Canvas;
    CLogFile& Log;
};
