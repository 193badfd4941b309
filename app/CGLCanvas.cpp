#include "app/CGLCanvas.h"

#include "view/CBasicView.h"

#include <GL/gl.h>

#include <gtk/gtk.h>
#include <wx/dcclient.h>

// The view compares key codes with the toolkit's.
static_assert(CBasicView::KeyBackspace == WXK_BACK, "Backspace key code");
static_assert(CBasicView::KeyEscape == WXK_ESCAPE, "Escape key code");
static_assert(CBasicView::KeyUp == WXK_UP, "Up key code");
static_assert(CBasicView::KeyHome == WXK_HOME, "Home key code");
static_assert(CBasicView::KeyLeft == WXK_LEFT, "Left key code");
static_assert(CBasicView::KeyRight == WXK_RIGHT, "Right key code");
static_assert(CBasicView::KeyDownArrow == WXK_DOWN, "Down key code");
static_assert(CBasicView::KeyPadPlus == WXK_NUMPAD_ADD, "keypad + key code");
static_assert(CBasicView::KeyPadMinus == WXK_NUMPAD_SUBTRACT, "keypad - key code");
static_assert(CBasicView::ModAlt == wxMOD_ALT, "Alt modifier bit");
static_assert(CBasicView::ModControl == wxMOD_CONTROL, "Control modifier bit");

// clang-format off
wxBEGIN_EVENT_TABLE(CGLCanvas, wxGLCanvas)
    EVT_LEFT_DOWN(CGLCanvas::OnLeftDown)
    EVT_LEFT_DCLICK(CGLCanvas::OnLeftDouble)
    EVT_RIGHT_DOWN(CGLCanvas::OnRightDown)
    EVT_MIDDLE_DOWN(CGLCanvas::OnMouse)
    EVT_MIDDLE_UP(CGLCanvas::OnMouse)
    EVT_MOTION(CGLCanvas::OnMouse)
    EVT_LEAVE_WINDOW(CGLCanvas::OnMouse)
    EVT_ENTER_WINDOW(CGLCanvas::OnEnter)
    EVT_MOUSEWHEEL(CGLCanvas::OnWheel)
    EVT_KEY_DOWN(CGLCanvas::OnKeyDown)
    EVT_CHAR(CGLCanvas::OnChar)
    EVT_SIZE(CGLCanvas::OnSize)
    EVT_PAINT(CGLCanvas::OnPaint)
    EVT_ERASE_BACKGROUND(CGLCanvas::OnEraseBackground)
wxEND_EVENT_TABLE();
// clang-format on

CGLCanvas::CGLCanvas(wxWindow* parent, const int* attribList, CLogFile& log)
    : wxGLCanvas(parent, -1, attribList, wxDefaultPosition, wxDefaultSize, 0, "CGLCanvas",
                 wxNullPalette),
      CGLSurface(log), Context(std::make_unique<wxGLContext>(this)) {}

CGLCanvas::~CGLCanvas() {
    // The renderer's vertex buffers belong to the canvas's context: it goes while that is
    // current, before the context does.
    if (Renderer != nullptr && MakeCurrentIfRealised())
        Renderer.reset();
}

bool CGLCanvas::MakeCurrent() {
    // GLX can only make a context current on an existing X window, and GTK creates the
    // canvas's window when its widget is realised. Realising (which realises the top-level
    // window too) creates the windows without mapping them, so nothing is shown yet.
    if (GetXWindow() == 0)
        gtk_widget_realize(GetHandle());
    return MakeCurrentIfRealised();
}

bool CGLCanvas::InitGL() {
    if (!CGLSurface::InitGL())
        return false;
    // The start-up leaves the clear colour grey; a canvas that gets no size event after it
    // would show that grey until the first load. The canvas's background is white.
    glClearColor(1, 1, 1, 1);
    Renderer = std::make_unique<CViewRenderer>(GetFunctions(), Log);
    return true;
}

bool CGLCanvas::MakeCurrentIfRealised() {
    return GetXWindow() != 0 && Context->IsOK() && SetCurrent(*Context);
}

void CGLCanvas::OnLeftDown(wxMouseEvent& event) {
    if (View != nullptr)
        View->LeftClick(event.GetX(), event.GetY());
}

void CGLCanvas::OnLeftDouble(wxMouseEvent& event) {
    if (View != nullptr)
        View->DoubleClick(event.GetX(), event.GetY());
}

void CGLCanvas::OnRightDown(wxMouseEvent& event) {
    if (View != nullptr)
        View->RightClick(event.GetX(), event.GetY());
}

void CGLCanvas::OnMouse(wxMouseEvent& event) {
    if (View == nullptr)
        return;
    if (event.MiddleDown()) {
        Dragging = true;
        LastX = event.GetX();
        LastY = event.GetY();
    } else if (event.MiddleUp()) {
        Dragging = false;
        View->EndDrag();
    } else if (event.GetEventType() == wxEVT_MOTION) {
        if (Dragging) {
            View->Drag(LastX, LastY, event.GetX(), event.GetY());
            LastX = event.GetX();
            LastY = event.GetY();
        } else {
            View->MouseMove(event.GetX(), event.GetY());
        }
    } else if (event.Leaving()) {
        Dragging = false;
        View->EndDrag();
        View->MouseMove(-1, -1);
    }
}

void CGLCanvas::OnEnter(wxMouseEvent& event) {
    SetFocus(); // so that keys reach the canvas
    event.Skip();
}

void CGLCanvas::OnWheel(wxMouseEvent& event) {
    if (View == nullptr)
        return;
    // The toolkit reports wheel positions in client coordinates already.
    int delta = event.GetWheelDelta();
    int steps = delta != 0 ? event.GetWheelRotation() / delta : 0;
    View->MouseWheel(steps, event.GetX(), event.GetY(), event.ControlDown());
}

void CGLCanvas::OnKeyDown(wxKeyEvent& event) {
    if (View == nullptr || !View->KeyDown(event.GetKeyCode(), event.GetModifiers()))
        event.Skip();
}

void CGLCanvas::OnChar(wxKeyEvent& event) {
    // A key down names the key, not the character: on many layouts + is Shift and =. A key
    // the view did not use comes back as the character it types.
    const int character = event.GetUnicodeKey() != WXK_NONE
                              ? static_cast<int>(event.GetUnicodeKey())
                              : event.GetKeyCode();
    if (View == nullptr || !View->KeyDown(character, event.GetModifiers()))
        event.Skip();
}

void CGLCanvas::OnSize(wxSizeEvent& event) {
    const wxSize size = GetClientSize();
    // The first size events come before the window exists on the X server; the paint sets
    // the viewport again then.
    if (MakeCurrentIfRealised()) {
        glViewport(0, 0, size.x, size.y);
        glClearColor(1, 1, 1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    if (View != nullptr)
        View->Resize(size.x, size.y);
    event.Skip();
}

void CGLCanvas::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!MakeCurrentIfRealised())
        return;
    const wxSize size = GetClientSize();
    glViewport(0, 0, size.x, size.y);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (View != nullptr && Renderer != nullptr)
        Renderer->Draw(*View);
    SwapBuffers();
}

void CGLCanvas::OnEraseBackground(wxEraseEvent&) {
    // Never erased by the toolkit: the paint covers the whole canvas, and erasing would
    // flicker.
}
