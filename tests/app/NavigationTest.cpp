// Finding one's way in the desktop program, driven through the real window on the test display:
// a double click and Alt+arrows through the X server, the Find dialog's options, list and
// keys, File, Recent Files and a dropped file, the menus' shortcuts, Help and the icon.

#include "app/CFindDlg.h"
#include "app/CGLCanvas.h"
#include "app/CMatchList.h"
#include "app/CQuarnCode.h"
#include "app/CQuarnWindow.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CProgramElement.h"
#include "support/CTempDir.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <wx/checkbox.h>
#include <wx/dnd.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

class CNavigationHook;
#define wxTEST_DIALOG_HOOK_CLASS CNavigationHook
#include <wx/testing.h>

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

// wxTEST_DIALOG's hook: a missing or unexpected dialog fails the test.
class CNavigationHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    void ReportFailure(const wxString& message) override { ADD_FAILURE() << message.utf8_string(); }
};

namespace {

// Lets the Find dialog show for real; any other dialog that no wxTEST_DIALOG expects fails the
// test and is cancelled.
class CDialogGuard : public wxModalDialogHook {
public:
    CDialogGuard() { Register(); }
    ~CDialogGuard() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override {
        if (dynamic_cast<CFindDlg*>(dialog) != nullptr)
            return wxID_NONE;
        ADD_FAILURE() << "unexpected dialog: " << dialog->GetTitle().utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

template <class T> class CExpect : public wxExpectModalBase<T, CExpect<T>> {
public:
    explicit CExpect(std::function<int(T&)> act) : Act(std::move(act)) {}

protected:
    int OnInvoked(T* dialog) const override { return Act(*dialog); }

private:
    std::function<int(T&)> Act;
};

// Lets the toolkit deliver what arrives until done() holds; the limit only keeps a broken
// program from hanging the run.
bool PumpUntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < limit) {
        if (!wxTheApp->Pending())
            wxMilliSleep(1);
        wxYield();
    }
    return done();
}

const std::string Relations = QUARN_BINARY_DIR "/fixtures/relations.xml";

class Navigation : public testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1); // recent files of the test's own
        std::filesystem::copy_file(QUARN_SOURCE_DIR "/settings.cfg", "settings.cfg");
        Toolkit = wxApp::GetInstance();
        App = new CQuarnCode(); // becomes the toolkit's application
        ASSERT_TRUE(App->OnInit());
        Input = std::make_unique<wxUIActionSimulator>();
        App->LoadFile(Relations);
    }
    void TearDown() override {
        if (!wxTopLevelWindows.empty())
            wxTopLevelWindows.front()->Close(true);
        EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
        delete App;
        wxApp::SetInstance(Toolkit);
        setenv("XDG_CONFIG_HOME", Config.c_str(), 1);
    }
    CQuarnWindow& Window() const { return *App->GetMainWindow(); }
    CGLCanvas& Canvas() const { return *Window().GetCanvas(); }
    CBasicView& View() const { return *App->GetView(); }
    float Zoom() const { return View().GetCamera().ZoomFactor; }
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        Window().ProcessWindowEvent(event);
    }
    CSqRectangle* Rect(const std::string& name) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        filter.SearchProgram(App->GetViewData()->GetProgram());
        return filter.Results.empty() ? nullptr : View().GetTreemap()->RectOf(filter.Results[0]);
    }
    // Gives window the keyboard focus as a window manager would, once it is on the screen.
    void Focus(wxWindow& window) {
        auto gdk = [&] { return gtk_widget_get_window(window.GetHandle()); };
        ASSERT_TRUE(PumpUntil([&] { return gdk() != nullptr && gdk_window_is_viewable(gdk()); }));
        Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        XSetInputFocus(display, GDK_WINDOW_XID(gdk()), RevertToParent, CurrentTime);
        XFlush(display);
        EXPECT_TRUE(PumpUntil([&] {
            return wxWindow::FindFocus() && wxGetTopLevelParent(wxWindow::FindFocus()) == &window;
        }));
    }
    // Presses key with modifiers on the focused window and lets the toolkit work until done.
    void Press(int key, int modifiers, const std::function<bool()>& done) {
        Input->Char(key, modifiers);
        EXPECT_TRUE(PumpUntil(done)) << key;
    }
    // The canvas as the X server shows it after a paint.
    std::vector<unsigned long> Pixels() {
        Canvas().Refresh();
        Canvas().Update();
        Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        XSync(display, False);
        const wxSize size = Canvas().GetClientSize();
        XImage* image =
            XGetImage(display, Canvas().GetXWindow(), 0, 0, size.x, size.y, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int i = 0; image != nullptr && i < size.x * size.y; ++i)
            pixels.push_back(XGetPixel(image, i % size.x, i / size.x));
        if (image != nullptr)
            XDestroyImage(image);
        return pixels;
    }

    const std::string Config = std::getenv("XDG_CONFIG_HOME"); // the run's, set by main
    CTempDir Dir;
    CDialogGuard Guard;
    wxGUIEventLoop Loop; // menu commands run inside the application's event loop
    wxEventLoopActivator Active{&Loop};
    wxAppConsole* Toolkit = nullptr;
    CQuarnCode* App = nullptr;
    std::unique_ptr<wxUIActionSimulator> Input; // made once the window is shown
};

} // namespace

TEST_F(Navigation, ADoubleClickZoomsToTheTileAndAltLeftRestoresTheViewExactly) {
    Focus(Window());
    CSqRectangle* square = Rect("Square");
    const CRectPoints& s = square->Screen; // just below the middle of its top edge
    const wxSize size = Canvas().GetClientSize();
    Input->MouseMove(
        Canvas().ClientToScreen(wxPoint(static_cast<int>((s.MinX + s.MaxX + 2) / 4 * size.x),
                                        static_cast<int>((1 - s.MaxY) / 2 * size.y) + 1)));
    ASSERT_TRUE(PumpUntil([&] { return View().GetHover() == square; }));
    const std::vector<unsigned long> before = Pixels();
    Input->MouseDblClick();
    ASSERT_TRUE(PumpUntil([&] { return Zoom() > 1; }));
    EXPECT_EQ(std::list<CSqRectangle*>{square}, View().GetSelection().SelectedRects);
    float x, y; // the centre of the view shows the square
    View().ToView(size.x / 2.0f, size.y / 2.0f, x, y);
    EXPECT_TRUE(s.MinX < x && x < s.MaxX && s.MinY < y && y < s.MaxY);
    const float zoomed = Zoom();
    Press(WXK_LEFT, wxMOD_ALT, [&] { return Zoom() == 1; });
    Press(WXK_ESCAPE, 0, [&] { return View().GetSelection().SelectedRects.empty(); });
    EXPECT_EQ(before, Pixels());
    Press(WXK_RIGHT, wxMOD_ALT, [&] { return Zoom() == zoomed; });
    Press(WXK_HOME, 0, [&] { return Zoom() == 1; });
    Press('=', wxMOD_SHIFT, [&] { return Zoom() == 2; }); // types +
    Press('-', 0, [&] { return Zoom() == 1; });
}

TEST_F(Navigation, FindListsWhatEachOptionMatchesAndEnterOnARowSelectsAndShowsIt) {
    const std::string header = QUARN_SOURCE_DIR "/tests/fixtures/relations.h";
    const std::string source = ReadWholeFile(header);
    const auto line =
        1 + std::count(source.begin(), source.begin() + source.find("class Square"), '\n');
    CSqRectangle* area = nullptr;
    wxTheApp->CallAfter([&] {
        auto* dialog = Window().GetFindDialog();
        Focus(*dialog);
        auto rows = [&](const char* text, bool matchCase, bool wholeName) {
            dialog->MatchCaseCheck->SetValue(matchCase);
            dialog->WholeNameCheck->SetValue(wholeName);
            dialog->NameText->ChangeValue("");
            Input->Text(text); // the list follows the typing
            EXPECT_TRUE(PumpUntil([&] { return dialog->GetSearchText() == text; }));
            std::vector<std::string> kinds;
            for (long row = 0; row < dialog->MatchList->GetItemCount(); ++row)
                kinds.push_back(dialog->MatchList->GetItemText(row).utf8_string());
            return kinds;
        };
        EXPECT_TRUE(rows("square", true, true).empty());
        const std::vector<std::string> squares = rows("square", false, true);
        EXPECT_EQ("class", squares.at(0));
        EXPECT_EQ("geo::Square", dialog->MatchList->GetItemText(0, 1));
        EXPECT_EQ(header + ":" + std::to_string(line), dialog->MatchList->GetItemText(0, 2));
        EXPECT_TRUE(rows("Squ", true, true).empty());
        EXPECT_EQ(squares, rows("Squ", true, false));
        EXPECT_EQ(std::vector<std::string>{"method"}, rows("Shape::Area", true, true));
        area = View().GetTreemap()->RectOf(dialog->GetMatches().at(0));
        Input->Char(WXK_DOWN);
        EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() != dialog->NameText; }));
        Input->Char(WXK_RETURN);
    });
    Command(CQuarnWindow::FindId);
    EXPECT_EQ(std::list<CSqRectangle*>{area}, View().GetSelection().SelectedRects);
    EXPECT_GT(Zoom(), 1);
}

TEST_F(Navigation, RecentFilesOfferWhatWasOpenedAndDropAWhatNoLongerExistsAndADroppedFileOpens) {
    auto recent = [&] { return App->GetRecentFiles().GetFiles(); };
    EXPECT_EQ(std::vector<std::string>{Relations}, recent());
    const std::string copy = Dir.Path() + "/copy.xml";
    std::filesystem::copy_file(Relations, copy);
    auto* drop = dynamic_cast<wxFileDropTarget*>(Canvas().GetDropTarget());
    ASSERT_NE(nullptr, drop);
    const CViewData* before = App->GetViewData();
    wxArrayString files;
    files.Add(copy);
    drop->OnDropFiles(10, 10, files);
    EXPECT_TRUE(PumpUntil([&] { return App->GetViewData() != before; }));
    EXPECT_EQ((std::vector<std::string>{copy, Relations}), recent());
    EXPECT_EQ("2 " + Relations,
              Window().GetMenuBar()->FindItem(CQuarnWindow::RecentFileId + 1)->GetItemLabelText());
    std::filesystem::remove(copy);
    wxTEST_DIALOG(Command(CQuarnWindow::RecentFileId), CExpect<wxMessageDialog>([&](auto& box) {
                      EXPECT_NE(std::string::npos, box.GetMessage().find("no longer exists"));
                      return wxID_OK;
                  }));
    EXPECT_EQ(std::vector<std::string>{Relations}, recent());
    EXPECT_EQ(nullptr, Window().GetMenuBar()->FindItem(CQuarnWindow::RecentFileId + 1));
}

TEST_F(Navigation, TheMenusShortcutsWorkHelpShowsKeysAndAboutAndTheWindowHasItsIcon) {
    EXPECT_EQ(256, Window().GetIcons().GetIcon(wxSize(256, 256)).GetWidth());
    wxTEST_DIALOG(Command(CQuarnWindow::KeysAndMouseId), CExpect<wxMessageDialog>([](auto& box) {
                      EXPECT_EQ(wxString::FromUTF8(CQuarnWindow::KeysAndMouseText()),
                                box.GetMessage());
                      return wxID_OK;
                  }));
    std::smatch version;
    const std::string cmake = ReadWholeFile(QUARN_SOURCE_DIR "/CMakeLists.txt");
    ASSERT_TRUE(std::regex_search(cmake, version, std::regex("VERSION ([0-9.]+) LANGUAGES")));
    wxTEST_DIALOG(Command(CQuarnWindow::AboutId), CExpect<wxGenericAboutDialog>([&](auto& box) {
                      std::string texts;
                      for (wxWindow* child : box.GetChildren())
                          texts += child->GetLabel().utf8_string() + "\n";
                      EXPECT_NE(std::string::npos, texts.find("Quarn Code " + version[1].str()));
                      EXPECT_NE(std::string::npos, texts.find("Mesa")) << texts;
                      return wxID_OK;
                  }));
    Focus(Window());
    bool shown = false;
    auto shows = [&](int key) {
        return (Input->Char(key, wxMOD_CONTROL), PumpUntil([&] { return shown; }));
    };
    auto cancel = [&](auto&) { return shown = true, wxID_CANCEL; };
    wxTEST_DIALOG(shows('f'), CExpect<CFindDlg>(cancel));
    shown = false;
    wxTEST_DIALOG(shows('o'), CExpect<wxFileDialog>(cancel));
    Press('w', wxMOD_CONTROL, [&] { return View().GetTreemap() == nullptr; });
    Press('q', wxMOD_CONTROL, [] { return wxTopLevelWindows.empty(); });
}
