#include "render/CGLCanvas.h"

#include <wx/toplevel.h>

CGLCanvas::CGLCanvas(wxWindow* parent, const int* attribList)
    : wxGLCanvas(parent, -1, attribList, wxDefaultPosition, wxDefaultSize, 0, "CGLCanvas",
                 wxNullPalette),
      Context(std::make_unique<wxGLContext>(this)) {}

CGLCanvas::~CGLCanvas() = default;

bool CGLCanvas::MakeCurrent() {
    // GTK creates the canvas's X window when the widget is realised, and realises the widgets
    // of a top-level window when it is shown; GLX can only make a context current on an
    // existing window.
    if (GetXWindow() == 0) {
        wxWindow* top = wxGetTopLevelParent(this);
        if (top != nullptr)
            top->Show();
    }
    return GetXWindow() != 0 && Context->IsOK() && SetCurrent(*Context);
}
