// One whole desktop session on the test display, driven as a user drives it: the mouse and
// the keys through the X server (XTest), the menu commands, the dialogs answered through
// wxTEST_DIALOG, and the canvas read back from the X server.

#include "app/CGLCanvas.h"
#include "app/CLegendWindow.h"
#include "app/CPictureExport.h"
#include "app/CPrefDlg.h"
#include "app/CProgressDlg.h"
#include "app/CQuarnCode.h"
#include "app/CQuarnWindow.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "support/CTempDir.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"
#include "view/SelectionStatus.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <png.h>
#include <wx/checkbox.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/numdlg.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

class CTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS CTestModalHook
#include <wx/testing.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

// wxTEST_DIALOG's hook: a missing or unexpected dialog fails the test, and an unexpected one
// is cancelled instead of waiting for a user. The session keeps one without expectations for
// the dialogs shown outside wxTEST_DIALOG.
class CTestModalHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    int Enter(wxDialog* dialog) override {
        const int answer = wxTestingModalHook::Enter(dialog);
        return answer == wxID_NONE ? wxID_CANCEL : answer;
    }
    void ReportFailure(const wxString& message) override { ADD_FAILURE() << message.utf8_string(); }
};

namespace {

// A modal dialog of type T that wxTEST_DIALOG expects: act works it as the user would and
// returns the id of the button that closes it.
template <class T> class CExpect : public wxExpectModalBase<T, CExpect<T>> {
public:
    explicit CExpect(std::function<int(T&)> act) : Act(std::move(act)) {}

protected:
    int OnInvoked(T* dialog) const override { return Act(*dialog); }

private:
    std::function<int(T&)> Act;
};

// Lets the toolkit deliver what arrives until done() holds. Waits for the state, not for a
// time: the limit only keeps a broken program from hanging the run.
bool PumpUntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < limit) {
        if (!wxTheApp->Pending())
            wxMilliSleep(1);
        wxYield();
    }
    return done();
}

// Counts the canvas's paints and records what the progress dialog shows when it paints.
class CPaintWatch : public wxEventFilter {
public:
    CPaintWatch() { wxEvtHandler::AddFilter(this); }
    ~CPaintWatch() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override {
        if (event.GetEventType() != wxEVT_PAINT)
            return Event_Skip;
        CanvasPaints += dynamic_cast<CGLCanvas*>(event.GetEventObject()) != nullptr;
        if (auto* dialog = dynamic_cast<CProgressDlg*>(event.GetEventObject()))
            if (Progress.empty() || Progress.back() != dialog->Label->GetLabel().utf8_string())
                Progress.push_back(dialog->Label->GetLabel().utf8_string());
        return Event_Skip;
    }

    int CanvasPaints = 0;
    std::vector<std::string> Progress;
};

class DesktopSession : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(QUARN_SOURCE_DIR "/settings.cfg", "settings.cfg");
        Toolkit = wxApp::GetInstance();
        App = new CQuarnCode(); // becomes the toolkit's application
    }
    void TearDown() override { Stop(); }

    // Closes the window unless File, Exit did, lets the toolkit destroy it, then destroys the
    // application (its log writes the closing entry).
    void Stop() {
        if (!wxTopLevelWindows.empty())
            wxTopLevelWindows.front()->Close(true);
        EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
        delete App;
        App = nullptr;
        wxApp::SetInstance(Toolkit);
    }

    CQuarnWindow& Window() const { return *App->GetMainWindow(); }
    CGLCanvas& Canvas() const { return *Window().GetCanvas(); }
    CBasicView& View() const { return *App->GetView(); }
    wxString StatusLine() const { return Window().GetStatusBar()->GetStatusText(); }

    // Chooses a menu command.
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        Window().ProcessWindowEvent(event);
    }
    // File, Open, answering the file dialog with path.
    CExpect<wxFileDialog> OpenDialog(const std::string& path) {
        return CExpect<wxFileDialog>([path](wxFileDialog& dialog) {
            EXPECT_EQ("Open a project file", dialog.GetMessage().utf8_string());
            dialog.SetPath(wxString::FromUTF8(path)); // the chooser takes it asynchronously
            EXPECT_TRUE(PumpUntil([&] { return dialog.GetPath().utf8_string() == path; }));
            return wxID_OK;
        });
    }
    // Repaints the canvas, waits until the paint has happened and reads back what the X
    // server shows: the number of pixels that are not white.
    int NonWhiteAfterPaint() {
        const int paints = Watch.CanvasPaints;
        Canvas().Refresh();
        EXPECT_TRUE(PumpUntil([&] { return Watch.CanvasPaints > paints; }));
        Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        XSync(display, False);
        const wxSize size = Canvas().GetClientSize();
        XImage* image =
            XGetImage(display, Canvas().GetXWindow(), 0, 0, size.x, size.y, AllPlanes, ZPixmap);
        if (image == nullptr)
            return -1;
        // The labels' white text does not count.
        const std::vector<CLabelBox>& labels =
            Canvas().GetRenderer()->GetLabelPainter().GetLabels();
        int count = 0;
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
                count += (XGetPixel(image, x, y) & 0xffffff) != 0xffffff ||
                         std::any_of(labels.begin(), labels.end(), [&](const CLabelBox& l) {
                             return x >= l.MinX && x < l.MaxX && size.y - 1 - y >= l.MinY &&
                                    size.y - 1 - y < l.MaxY;
                         });
        XDestroyImage(image);
        return count;
    }
    // Whether a popup window (a tooltip) is shown.
    static bool PopupShown() {
        GList* windows = gtk_window_list_toplevels();
        bool shown = false;
        for (GList* w = windows; w != nullptr; w = w->next)
            shown |= gtk_widget_get_visible(GTK_WIDGET(w->data)) &&
                     gtk_window_get_window_type(GTK_WINDOW(w->data)) == GTK_WINDOW_POPUP;
        g_list_free(windows);
        return shown;
    }
    // Repaints the canvas and reads back what the X server shows, 0xRRGGBB, rows top down.
    std::vector<uint32_t> ShownPixels() {
        const int paints = Watch.CanvasPaints;
        Canvas().Refresh();
        EXPECT_TRUE(PumpUntil([&] { return Watch.CanvasPaints > paints; }));
        Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        XSync(display, False);
        const wxSize size = Canvas().GetClientSize();
        std::vector<uint32_t> pixels;
        XImage* image =
            XGetImage(display, Canvas().GetXWindow(), 0, 0, size.x, size.y, AllPlanes, ZPixmap);
        for (int y = 0; image != nullptr && y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
                pixels.push_back(XGetPixel(image, x, y) & 0xffffff);
        if (image != nullptr)
            XDestroyImage(image);
        return pixels;
    }
    // The pixels of a PNG file of the given size as ShownPixels gives them; empty when it
    // cannot be read or has another size.
    static std::vector<uint32_t> PngPixels(const std::string& file, wxSize size) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        std::vector<unsigned char> rgb;
        if (!png_image_begin_read_from_file(&image, file.c_str()) || int(image.width) != size.x ||
            int(image.height) != size.y)
            return {};
        image.format = PNG_FORMAT_RGB;
        rgb.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
            return {};
        std::vector<uint32_t> pixels;
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
            pixels.push_back(uint32_t(rgb[i]) << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return pixels;
    }
    // The rectangle of the first element named name.
    CSqRectangle* Rect(const std::string& name) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        filter.SearchProgram(App->GetViewData()->GetProgram());
        EXPECT_FALSE(filter.Results.empty()) << name;
        return filter.Results.empty() ? nullptr : View().GetTreemap()->RectOf(filter.Results[0]);
    }
    // Moves the mouse through the X server just below the middle of rect's top edge (in the
    // border of a container, where the rectangle itself is found) and waits for the hover.
    void MoveTo(CSqRectangle* rect) {
        const CRectPoints& s = rect->Screen;
        const wxSize size = Canvas().GetClientSize();
        const wxPoint at(static_cast<int>(((s.MinX + s.MaxX) / 2 + 1) / 2 * size.x),
                         static_cast<int>((1 - s.MaxY) / 2 * size.y) + 1);
        Input->MouseMove(Canvas().ClientToScreen(at));
        EXPECT_TRUE(PumpUntil([&] { return View().GetHover() == rect; }));
    }
    void ClickOn(CSqRectangle* rect) {
        MoveTo(rect);
        const wxString before = StatusLine();
        Input->MouseClick();
        PumpUntil([&] { return StatusLine() != before; });
    }

    CTempDir Dir;
    CTestModalHook Unexpected;
    CPaintWatch Watch;
    wxAppConsole* Toolkit = nullptr;
    CQuarnCode* App = nullptr;
    std::unique_ptr<wxUIActionSimulator> Input; // made once the window is shown
};

} // namespace

TEST_F(DesktopSession, OpenHoverSelectQuerySettingsCloseExit) {
    // Menu commands run inside the application's event loop, as they do in the program.
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    ASSERT_TRUE(App->OnInit());
    EXPECT_TRUE(Window().IsShown());
    Input = std::make_unique<wxUIActionSimulator>();
    EXPECT_NE(std::string::npos, Dir.ReadFile("log.txt").find("\nConfig file loaded, layout: "));
    EXPECT_EQ(0, NonWhiteAfterPaint()); // the first paint after start-up clears to white

    Window().Bind(wxEVT_MENU_OPEN, [](wxMenuEvent& event) {
        // The user picks the second item with the keys.
        Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        for (KeySym key : {XK_Down, XK_Down, XK_Return}) {
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, 0);
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), False, 0);
        }
        XFlush(display);
        ASSERT_EQ(2u, event.GetMenu()->GetMenuItemCount());
        EXPECT_EQ("Super Class Query", event.GetMenu()->FindItemByPosition(1)->GetItemLabelText());
    });

    const std::string relations = QUARN_BINARY_DIR "/fixtures/relations.xml";
    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), OpenDialog(relations));
    // Whatever progress steps were painted came in order, and the dialog is gone.
    const std::vector<std::string> steps{"Reading XML file", "Reading nodes", "Connecting nodes",
                                         "Squarifying..."};
    auto next = steps.begin();
    for (const std::string& text : Watch.Progress) {
        next = std::find(next, steps.end(), text);
        EXPECT_NE(steps.end(), next) << text;
    }
    ASSERT_NE(nullptr, View().GetTreemap());
    // The program's cushion fills the canvas.
    EXPECT_EQ(Canvas().GetClientSize().x * Canvas().GetClientSize().y, NonWhiteAfterPaint());

    // Hovering a class lights its relations and the arrow to its base.
    CSqRectangle* square = Rect("Square");
    MoveTo(square);
    EXPECT_FALSE(View().GetSelection().HoverRelations.Arrows.empty());
    // The status bar describes it, and after a rest a tooltip says what and where it is; off
    // the canvas both go back to the selection, and the tooltip goes.
    EXPECT_EQ(CQuarnWindow::OneLine(SelectionStatusText({square})), StatusLine().utf8_string());
    EXPECT_EQ(0u, Canvas().GetToolTipText().utf8_string().rfind(
                      "Class\ngeo::Square\n" QUARN_SOURCE_DIR "/tests/fixtures/relations.h", 0))
        << Canvas().GetToolTipText();
    EXPECT_TRUE(PumpUntil(PopupShown));
    Input->MouseMove(Window().GetStatusBar()->GetScreenRect().GetPosition() + wxPoint(5, 5));
    EXPECT_TRUE(
        PumpUntil([&] { return StatusLine() == "Select an item to view more detailed info"; }));
    EXPECT_EQ(nullptr, Canvas().GetToolTip());

    // A click selects by the selection mode and the status bar describes the selection.
    CSqRectangle* edge = Rect("Edge");
    Command(CQuarnWindow::SelectGroupId);
    ClickOn(edge);
    EXPECT_EQ(std::string("Group of 2 Fields.") + CQuarnWindow::StatusSeparator + "Square layer: 7",
              StatusLine().utf8_string());
    Input->Char(WXK_ESCAPE); // the canvas has the keyboard focus since the mouse entered it
    EXPECT_TRUE(
        PumpUntil([&] { return StatusLine() == "Select an item to view more detailed info"; }));
    // Another member than before: a second click on the same spot would be a double click.
    Command(CQuarnWindow::SelectClassId);
    ClickOn(Rect("Padding"));
    EXPECT_EQ(0u, StatusLine().rfind("Class named Square contains 2 fields", 0)) << StatusLine();

    // A right click offers the class queries; the super class query selects Square's bases.
    Input->MouseClick(wxMOUSE_BTN_RIGHT);
    CSqRectangle* rectangle = Rect("Rectangle");
    const auto& selected = View().GetSelection().SelectedRects;
    EXPECT_TRUE(PumpUntil(
        [&] { return std::find(selected.begin(), selected.end(), rectangle) != selected.end(); }));
    EXPECT_EQ(selected.end(), std::find(selected.begin(), selected.end(), square));

    // Settings: OK lays out again with what the dialog shows.
    wxTEST_DIALOG(Command(CQuarnWindow::SettingsId), CExpect<CPrefDlg>([](CPrefDlg& dialog) {
                      dialog.GroupItemsCheck->SetValue(false);
                      dialog.LightAmbientSlider->SetValue(10);
                      return wxID_OK;
                  }));
    EXPECT_EQ(ERectKind::Class, Rect("Edge")->Parent->GetKind());
    EXPECT_FLOAT_EQ(0.5f, App->GetWorkspace().Looks.AmbientLight); // a tenth of the scale

    // View, Legend shows every kind's colour from the looks, and follows them.
    Command(CQuarnWindow::LegendId);
    CLegendWindow& legend = *Window().GetLegend();
    EXPECT_TRUE(legend.IsShown());
    CLooksSettings looks = View().GetLooks();
    auto colours = [&] {
        std::vector<wxColour> shown, wanted;
        for (size_t i = 0; i < legend.GetSwatches().size(); ++i) {
            const CColor& c = looks.*CLegendWindow::Entries()[i].Color;
            wanted.emplace_back(std::lround(c.Red * 255), std::lround(c.Green * 255),
                                std::lround(c.Blue * 255));
            shown.push_back(legend.GetSwatches()[i]->GetBackgroundColour());
        }
        return shown == wanted;
    };
    EXPECT_EQ(16u, legend.GetSwatches().size());
    EXPECT_TRUE(colours());
    looks.ClassColor = {1, 0.5f, 0, 1};
    looks.FileGroupColor = {0, 0, 0, 1};
    View().SetLooksSettings(looks);
    EXPECT_TRUE(colours());
    legend.Close();
    EXPECT_FALSE(legend.IsShown());

    // File, Export Picture... at the window's size writes what the window shows; at another
    // size the picture is drawn offscreen and the window shows the same as before.
    Input->MouseMove(wxPoint(1270, 1010)); // away from the window and its tooltips
    EXPECT_TRUE(PumpUntil([] { return !PopupShown(); }));
    const std::vector<uint32_t> shown = ShownPixels();
    auto number = [](wxNumberEntryDialog&) { return wxID_OK; }; // the canvas's size
    wxTEST_DIALOG(Command(CQuarnWindow::ExportPictureId), CExpect<wxNumberEntryDialog>(number),
                  CExpect<wxNumberEntryDialog>(number),
                  CExpect<wxFileDialog>([&](wxFileDialog& dialog) {
                      dialog.SetPath(wxString::FromUTF8(Dir.Path() + "/view.png"));
                      EXPECT_TRUE(PumpUntil([&] { return dialog.GetPath().EndsWith("view.png"); }));
                      return wxID_OK;
                  }));
    const std::vector<uint32_t> png = PngPixels("view.png", Canvas().GetClientSize());
    ASSERT_EQ(shown.size(), png.size());
    EXPECT_TRUE(shown == png);
    std::string error;
    ASSERT_TRUE(Window().GetPictureExport()->Write(View(), &Window(), NormalProgram, 300, 200,
                                                   "small.png", error))
        << error;
    const std::vector<uint32_t> small = PngPixels("small.png", wxSize(300, 200));
    auto red = [](uint32_t p) { return (p >> 16) > 200 && (p & 0xffff) < 0x2020; };
    EXPECT_TRUE(std::any_of(small.begin(), small.end(), red)); // the selection's frames
    EXPECT_NE(std::count(small.begin(), small.end(), small[0]), long(small.size()));
    EXPECT_EQ(shown, ShownPixels());

    // Close empties the canvas; Exit ends the program.
    EXPECT_GT(NonWhiteAfterPaint(), 0);
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ(0, NonWhiteAfterPaint());
    Command(CQuarnWindow::ExitId);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
    Stop();
    const std::string log = Dir.ReadFile("log.txt");
    EXPECT_EQ(std::string::npos, log.find("[error]")) << log;
    EXPECT_EQ("stop logging: closing file\n", log.substr(log.rfind('\n', log.size() - 2) + 1));
}
