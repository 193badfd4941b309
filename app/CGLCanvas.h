#pragma once

#include "render/CGLSurface.h"
#include "render/CViewRenderer.h"

#include <memory>
#include <wx/glcanvas.h>

class CBasicView;

// The one OpenGL window of the program: a wxGLCanvas that fills the main window, owns its GL
// context and runs the GL start-up (CGLSurface) in it. It draws nothing itself but the clear:
// its mouse, key and size events go to the view, and a paint has the renderer draw the view.
class CGLCanvas : public wxGLCanvas, public CGLSurface {
public:
    // Creates the canvas in parent (id -1, default position and size, style 0, the name
    // "CGLCanvas") with the given attribute list, which ends with 0 and is only read here,
    // and creates its GL context. log (borrowed) hears of GL failures.
    CGLCanvas(wxWindow* parent, const int* attribList, CLogFile& log);
    ~CGLCanvas() override;

    // Makes the canvas's context current. The window must exist on the X server for that;
    // when it does not yet (the main window runs InitGL from its constructor, before it shows
    // itself) the canvas is realised first, which creates its X window (and its top-level
    // window's) without showing anything. False when the canvas still has no X window or GLX
    // refuses.
    bool MakeCurrent() override;

    // The GL start-up (CGLSurface::InitGL); on success the canvas can draw a view.
    bool InitGL();

    // The view that receives the canvas's events; borrowed, null until the view sets itself.
    CBasicView* GetView() const { return View; }
    void SetView(CBasicView* view) { View = view; }
    // Whether a middle-button drag is under way.
    bool IsDragging() const { return Dragging; }
    // What draws the view; null before a successful InitGL.
    CViewRenderer* GetRenderer() const { return Renderer.get(); }

private:
    // Makes the context current when the canvas's X window exists (without showing it).
    bool MakeCurrentIfRealised();

    void OnLeftDown(wxMouseEvent& event);
    // The second press of a double click.
    void OnLeftDouble(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    // Middle button down and up, motion and leaving: drags or hovers.
    void OnMouse(wxMouseEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);

    int LastX = 0; // mouse position at the last middle-button drag step, client pixels
    int LastY = 0;
    bool Dragging = false;                   // a middle-button drag is under way
    CBasicView* View = nullptr;              // borrowed
    std::unique_ptr<wxGLContext> Context;    // owned
    std::unique_ptr<CViewRenderer> Renderer; // owned; null until InitGL succeeded

    wxDECLARE_EVENT_TABLE();
};
