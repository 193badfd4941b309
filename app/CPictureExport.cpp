#include "app/CPictureExport.h"

#include "app/CGLCanvas.h"
#include "render/COffscreenContext.h"
#include "render/CViewRenderer.h"
#include "render/PngFile.h"
#include "view/CBasicView.h"

#include <GL/glx.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/numdlg.h>

void CPictureExport::Run(wxWindow* parent, CBasicView& view, IViewHost* host,
                         EFragmentProgram program) {
    const wxSize size = Canvas.GetClientSize();
    long width = wxGetNumberFromUser("Width of the picture in pixels", "Width:", "Export Picture",
                                     size.x, 1, 16384, parent);
    if (width < 0)
        return;
    long height = wxGetNumberFromUser("Height of the picture in pixels",
                                      "Height:", "Export Picture", size.y, 1, 16384, parent);
    if (height < 0)
        return;
    wxFileDialog dialog(parent, "Export Picture", "", "picture.png", "PNG files (*.png)|*.png",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    std::string error;
    if (!Write(view, host, program, static_cast<int>(width), static_cast<int>(height),
               std::string(dialog.GetPath().utf8_str()), error))
        wxMessageBox(wxString::FromUTF8(error), "Export Picture", wxOK | wxICON_ERROR, parent);
}

bool CPictureExport::Write(CBasicView& view, IViewHost* host, EFragmentProgram program, int width,
                           int height, const std::string& file, std::string& error) {
    const wxSize size = Canvas.GetClientSize();
    std::vector<unsigned char> pixels =
        width == size.x && height == size.y
            ? DrawOnCanvas(view, width, height)
            : DrawOffscreen(view, host, program, width, height, error);
    if (pixels.empty()) {
        if (error.empty())
            error = "The picture could not be drawn";
        return false;
    }
    return WritePng(file, width, height, pixels, &error);
}

std::vector<unsigned char> CPictureExport::DrawOnCanvas(CBasicView& view, int width, int height) {
    std::vector<unsigned char> pixels;
    if (Canvas.GetRenderer() == nullptr || !Canvas.MakeCurrent())
        return pixels;
    // A paint without the swap: the back buffer holds what the next paint shows.
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Canvas.GetRenderer()->Draw(view);
    pixels.resize(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<unsigned char> CPictureExport::DrawOffscreen(CBasicView& view, IViewHost* host,
                                                         EFragmentProgram program, int width,
                                                         int height, std::string& error) {
    std::vector<unsigned char> pixels;
    // The canvas's GLX context is let go first: EGL refuses a context of its own while one of
    // another API is current in the thread.
    if (Display* display = glXGetCurrentDisplay())
        glXMakeCurrent(display, None, nullptr);
    {
        COffscreenContext gl(Log);
        if (!gl.Create(width, height)) {
            error = gl.GetError();
            return pixels;
        }
        if (!gl.InitGL()) {
            error = "OpenGL initialization failed";
            return pixels;
        }
        gl.BindProgram(program);
        glClearColor(1, 1, 1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // The view measures against its host's size: without the host it takes the picture's.
        view.SetHost(nullptr);
        view.Resize(width, height);
        CViewRenderer renderer(gl.GetFunctions(), Log);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderer.Draw(view);
        pixels = gl.ReadPixels();
    }
    const wxSize size = Canvas.GetClientSize();
    view.SetHost(host);
    view.Resize(size.x, size.y);
    Canvas.MakeCurrent();
    Canvas.Refresh();
    return pixels;
}
