#include "CDesktopTest.h"

#include "app/CFindDlg.h"
#include "app/CGLCanvas.h"
#include "app/CPrefDlg.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <wx/tooltip.h>

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

bool PumpUntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < limit) {
        if (!wxTheApp->Pending())
            wxMilliSleep(1);
        wxYield();
    }
    return done();
}

CExpect<wxFileDialog> FileDialog(const std::string& path) {
    return CExpect<wxFileDialog>([path](wxFileDialog& dialog) {
        dialog.SetPath(wxString::FromUTF8(path)); // the chooser takes it asynchronously
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetPath().utf8_string() == path; }));
        return wxID_OK;
    });
}

int CDialogGuard::Enter(wxDialog* dialog) {
    if (dynamic_cast<CPrefDlg*>(dialog) != nullptr || dynamic_cast<CFindDlg*>(dialog) != nullptr)
        return wxID_NONE;
    ADD_FAILURE() << "unexpected dialog: " << dialog->GetTitle().utf8_string();
    return wxID_CANCEL;
}

int CPaintCounter::FilterEvent(wxEvent& event) {
    CanvasPaints += event.GetEventType() == wxEVT_PAINT &&
                    dynamic_cast<CGLCanvas*>(event.GetEventObject()) != nullptr;
    return Event_Skip;
}

void CDesktopTest::SetUp() {
    setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1); // recent files of the test's own
    wxToolTip::Enable(true);
    Toolkit = wxApp::GetInstance();
    App = new CQuarnCode(); // becomes the toolkit's application
}

void CDesktopTest::TearDown() {
    if (!wxTopLevelWindows.empty())
        wxTopLevelWindows.front()->Close(true);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
    delete App;
    wxApp::SetInstance(Toolkit);
}

void CDesktopTest::Start(bool settings, const std::string& file) {
    if (settings)
        std::filesystem::copy_file(QUARN_SOURCE_DIR "/settings.cfg", "settings.cfg");
    ASSERT_TRUE(App->OnInit());
    Input = std::make_unique<wxUIActionSimulator>();
    if (!file.empty())
        App->LoadFile(file);
}

void CDesktopTest::Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    Window().ProcessWindowEvent(event);
}

void CDesktopTest::Focus(wxWindow& window) {
    auto gdk = [&] { return gtk_widget_get_window(window.GetHandle()); };
    ASSERT_TRUE(PumpUntil([&] { return gdk() != nullptr && gdk_window_is_viewable(gdk()); }));
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    XSetInputFocus(display, GDK_WINDOW_XID(gdk()), RevertToParent, CurrentTime);
    XFlush(display);
    EXPECT_TRUE(PumpUntil([&] {
        return wxWindow::FindFocus() != nullptr &&
               wxGetTopLevelParent(wxWindow::FindFocus()) == &window;
    }));
}

CSqRectangle* CDesktopTest::Rect(const std::string& name) const {
    CElementFilter filter;
    filter.AddNameCriterion()->Name = name;
    filter.SearchProgram(App->GetViewData()->GetProgram());
    return filter.Results.empty() ? nullptr : View().GetTreemap()->RectOf(filter.Results[0]);
}

void CDesktopTest::MoveTo(const CSqRectangle* rect) {
    ASSERT_NE(nullptr, rect);
    const CRectPoints& s = rect->GetScreen();
    const wxSize size = Canvas().GetClientSize();
    const wxPoint at(static_cast<int>((s.MinX + s.MaxX + 2) / 4 * size.x),
                     static_cast<int>((1 - s.MaxY) / 2 * size.y) + 1);
    Input->MouseMove(Canvas().ClientToScreen(at));
    EXPECT_TRUE(PumpUntil([&] { return View().GetHover() == rect; }));
}

std::vector<unsigned long> CDesktopTest::Pixels() {
    const int paints = Paints.CanvasPaints;
    Canvas().Refresh();
    EXPECT_TRUE(PumpUntil([&] { return Paints.CanvasPaints > paints; }));
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    XSync(display, False);
    const wxSize size = Canvas().GetClientSize();
    XImage* image =
        XGetImage(display, Canvas().GetXWindow(), 0, 0, size.x, size.y, AllPlanes, ZPixmap);
    EXPECT_NE(nullptr, image);
    std::vector<unsigned long> pixels;
    for (int i = 0; image != nullptr && i < size.x * size.y; ++i)
        pixels.push_back(XGetPixel(image, i % size.x, i / size.x) & 0xffffff);
    if (image != nullptr)
        XDestroyImage(image);
    return pixels;
}
