// What a new user meets first, driven through the real widgets on the test display: the
// Settings and Find dialogs shown for real and worked with the keyboard (XTest), clicks on the
// canvas, the status bar, and loads that fail.

#include "app/CFindDlg.h"
#include "app/CGLCanvas.h"
#include "app/CPrefDlg.h"
#include "app/CQuarnCode.h"
#include "app/CQuarnWindow.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "support/CTempDir.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <list>
#include <set>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

class CExpectedDialogs;
#define wxTEST_DIALOG_HOOK_CLASS CExpectedDialogs
#include <wx/testing.h>

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

// wxTEST_DIALOG's hook: a missing or unexpected dialog fails the test.
class CExpectedDialogs : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    void ReportFailure(const wxString& message) override { ADD_FAILURE() << message.utf8_string(); }
};

namespace {

const std::string Relations = QUARN_BINARY_DIR "/fixtures/relations.xml";

// Lets the Settings and Find dialogs show for real; any other dialog that no wxTEST_DIALOG
// expects fails the test and is cancelled.
class CDialogGuard : public wxModalDialogHook {
public:
    CDialogGuard() { Register(); }
    ~CDialogGuard() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override {
        if (dynamic_cast<CPrefDlg*>(dialog) != nullptr ||
            dynamic_cast<CFindDlg*>(dialog) != nullptr)
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

// The file dialog answered with path.
CExpect<wxFileDialog> FileDialog(const std::string& path) {
    return CExpect<wxFileDialog>([path](wxFileDialog& dialog) {
        dialog.SetPath(wxString::FromUTF8(path)); // the chooser takes it asynchronously
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetPath().utf8_string() == path; }));
        return wxID_OK;
    });
}

// Every window below window, depth first.
void Descendants(wxWindow* window, std::vector<wxWindow*>& found) {
    for (wxWindow* child : window->GetChildren()) {
        found.push_back(child);
        Descendants(child, found);
    }
}

class FirstMinutes : public testing::Test {
protected:
    void SetUp() override {
        Toolkit = wxApp::GetInstance();
        App = new CQuarnCode(); // becomes the toolkit's application
    }
    void TearDown() override {
        if (!wxTopLevelWindows.empty())
            wxTopLevelWindows.front()->Close(true);
        EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
        delete App;
        wxApp::SetInstance(Toolkit);
    }

    // Starts the program in the test's directory, with the repository's settings file or
    // without one, and loads file unless it is empty.
    void Start(bool settings, const std::string& file) {
        if (settings)
            std::filesystem::copy_file(QUARN_SOURCE_DIR "/settings.cfg", "settings.cfg");
        ASSERT_TRUE(App->OnInit());
        Input = std::make_unique<wxUIActionSimulator>();
        if (!file.empty())
            App->LoadFile(file);
    }
    CQuarnWindow& Window() const { return *App->GetMainWindow(); }
    CBasicView& View() const { return *App->GetView(); }
    const std::list<CSqRectangle*>& Selected() const { return View().GetSelection().SelectedRects; }
    std::string StatusLine() const {
        return Window().GetStatusBar()->GetStatusText().utf8_string();
    }
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        Window().ProcessWindowEvent(event);
    }
    // Gives window the keyboard focus as a window manager would, once it is on the screen.
    void Focus(wxWindow& window) {
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
    // Gives the command that shows a dialog of type T; once the dialog has the keyboard focus,
    // act works it (from within the dialog's modal loop) and closes it. A dialog left open
    // fails the test and is cancelled.
    template <class T> void Drive(int command, const std::function<void(T&)>& act) {
        bool acted = false;
        wxTheApp->CallAfter([&] {
            for (wxWindow* window : wxTopLevelWindows) {
                auto* dialog = dynamic_cast<T*>(window);
                if (dialog == nullptr || !dialog->IsModal())
                    continue;
                Focus(*dialog);
                act(*dialog);
                acted = true;
                if (!PumpUntil([&] { return !dialog->IsModal(); })) {
                    ADD_FAILURE() << "the dialog stayed open";
                    dialog->EndModal(wxID_CANCEL);
                }
            }
        });
        Command(command);
        EXPECT_TRUE(acted);
    }
    // Presses key and waits until done() holds.
    void Press(
        int key, const std::function<bool()>& done = [] { return true; }) {
        Input->Char(key);
        EXPECT_TRUE(PumpUntil(done)) << key;
    }
    // The rectangle of the first element named name.
    CSqRectangle* Rect(const std::string& name) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        filter.SearchProgram(App->GetViewData()->GetProgram());
        return filter.Results.empty() ? nullptr : View().GetTreemap()->RectOf(filter.Results[0]);
    }
    // Clicks just below rect's top edge, the part across of the way from its left: in the
    // border of a class. (A click on the spot of the one before would be a double click.)
    void ClickOnTopBorder(CSqRectangle* rect, float across) {
        const CRectPoints& s = rect->Screen;
        CGLCanvas& canvas = *Window().GetCanvas();
        const wxSize size = canvas.GetClientSize();
        const wxPoint at(static_cast<int>((s.MinX + (s.MaxX - s.MinX) * across + 1) / 2 * size.x),
                         static_cast<int>((1 - s.MaxY) / 2 * size.y) + 1);
        Input->MouseMove(canvas.ClientToScreen(at));
        EXPECT_TRUE(PumpUntil([&] { return View().GetHover() == rect; }));
        const std::list<CSqRectangle*> before = Selected();
        Input->MouseClick();
        EXPECT_TRUE(PumpUntil([&] { return Selected() != before; }));
    }

    CTempDir Dir;
    CDialogGuard Guard;
    wxGUIEventLoop Loop; // menu commands run inside the application's event loop
    wxEventLoopActivator Active{&Loop};
    wxAppConsole* Toolkit = nullptr;
    CQuarnCode* App = nullptr;
    std::unique_ptr<wxUIActionSimulator> Input; // made once the window is shown
};

} // namespace

TEST(PreferenceSliders, ASettingShowsAtTheNearestStepAndEveryStepComesBackToItsPosition) {
    using Position = int (*)(float);
    using Value = float (*)(int);
    const std::tuple<Position, Value, float, int> cases[] = {
        {CPrefDlg::AreaPosition, CPrefDlg::AreaValue, 0.9f, 90}, // stored just below 0.9
        {CPrefDlg::BorderPosition, CPrefDlg::BorderValue, 0.005f, 50},
        {CPrefDlg::CushionPosition, CPrefDlg::CushionValue, 4.88f, 49},
        {CPrefDlg::LightPosition, CPrefDlg::LightValue, 0.9f, 18},
        {CPrefDlg::DirectionPosition, CPrefDlg::DirectionValue, -0.3f, 35},
        {CPrefDlg::AreaPosition, CPrefDlg::AreaValue, 7.0f, 100}, // clamped to the range
        {CPrefDlg::CushionPosition, CPrefDlg::CushionValue, std::nanf(""), 0},
    };
    for (const auto& [position, value, setting, shown] : cases) {
        EXPECT_EQ(shown, position(setting)) << setting;
        for (int p = 0; p <= 100; ++p) {
            if (position(value(p)) != p) {
                ADD_FAILURE() << "position " << p << " comes back as " << position(value(p));
                break;
            }
        }
    }
    EXPECT_EQ(6, CPrefDlg::BorderPixels(69)); // a tenth, truncated
}

TEST_F(FirstMinutes, SettingsShowEveryControlWholeTabReachesEachAndKeysMoveTheSliders) {
    Start(true, "");
    const std::string original = Dir.ReadFile("settings.cfg");
    Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg& dialog) {
        std::vector<wxWindow*> all;
        Descendants(&dialog, all);
        for (wxWindow* window : all) {
            const wxString name = window->GetLabel() + " " + window->GetClassInfo()->GetClassName();
            EXPECT_TRUE(wxRect(window->GetParent()->GetClientSize()).Contains(window->GetRect()))
                << name;
            EXPECT_GE(window->GetSize().y, window->GetBestSize().y) << name;
            EXPECT_GE(window->GetSize().x, window->GetBestSize().x) << name;
        }
        const std::set<wxWindow*> controls{
            dialog.FileGroupSlider,    dialog.ArgGroupSlider,   dialog.ChildFactorSlider,
            dialog.BorderWidthSlider,  dialog.GroupItemsCheck,  dialog.ContainerBordersCheck,
            dialog.CushionFSlider,     dialog.CushionHSlider,   dialog.LightIntensitySlider,
            dialog.LightAmbientSlider, dialog.PixelShaderCheck, dialog.LightXSlider,
            dialog.LightYSlider,       dialog.LabelsCheck,      dialog.LabelSizeSpin,
            dialog.SaveButton,         dialog.OkButton,         dialog.CancelButton};
        std::set<wxWindow*> reached;
        for (size_t i = 0; i < controls.size(); ++i) {
            wxWindow* focus = wxWindow::FindFocus();
            reached.insert(focus);
            if (auto* slider = dynamic_cast<wxSlider*>(focus)) {
                const int before = slider->GetValue();
                Press(WXK_RIGHT, [&] { return slider->GetValue() == before + 1; });
            }
            Press(WXK_TAB, [&] { return wxWindow::FindFocus() != focus; });
        }
        EXPECT_EQ(controls, reached);
        Press(WXK_ESCAPE);
    });
    // Cancelled: nothing is kept or written.
    EXPECT_EQ(original, Dir.ReadFile("settings.cfg"));
    EXPECT_EQ(4.88f, View().GetLooks().CushionH);
}

TEST_F(FirstMinutes, OkWithoutAChangeKeepsEveryValueAndSaveWritesTheShownOnes) {
    Start(true, Relations);
    const std::string original = Dir.ReadFile("settings.cfg");
    for (int i = 0; i < 3; ++i) {
        Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg&) { Press(WXK_RETURN); });
        EXPECT_EQ(original, Dir.ReadFile("settings.cfg")) << i;
    }
    EXPECT_EQ(4, App->GetWorkspace().Looks.DynamicBorderWidth); // as read at start-up
    EXPECT_EQ(0.9f, App->GetWorkspace().Layout.ChildAreaFactor);

    // One slider moved a step by the keyboard, the shown values saved under another name.
    Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg& dialog) {
        dialog.CushionHSlider->SetFocus();
        EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == dialog.CushionHSlider; }));
        Press(WXK_RIGHT, [&] { return dialog.CushionHSlider->GetValue() == 50; });
        auto save = [&] {
            Input->MouseMove(dialog.SaveButton->GetScreenRect().GetPosition() + wxPoint(5, 5));
            Input->MouseClick();
            EXPECT_TRUE(PumpUntil([&] { return std::filesystem::exists("copy.cfg"); }));
        };
        wxTEST_DIALOG(save(), FileDialog(Dir.Path() + "/copy.cfg"));
        Press(WXK_ESCAPE);
    });
    std::string expected = original;
    expected.replace(expected.find(" h=\"4.88\""), 9, " h=\"5\"");
    EXPECT_EQ(expected, Dir.ReadFile("copy.cfg"));
    EXPECT_EQ(original, Dir.ReadFile("settings.cfg"));
}

TEST_F(FirstMinutes, WithoutASettingsFileTheLogSaysSoAndOkCreatesItWithTheShownValues) {
    Start(false, "");
    const std::string log = Dir.ReadFile("log.txt");
    EXPECT_NE(std::string::npos, log.find("\nConfig file not found: settings.cfg")) << log;
    EXPECT_EQ(std::string::npos, log.find("Config file loaded")) << log;
    Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg&) { Press(WXK_RETURN); });
    EXPECT_EQ(ReadWholeFile(QUARN_SOURCE_DIR "/settings.cfg"), Dir.ReadFile("settings.cfg"));
}

TEST_F(FirstMinutes, EnterInTheFindFieldSearchesEscapeCancelsAndNothingIsSelectedTwice) {
    Start(true, Relations);
    auto find = [&](const std::string& text, int key) {
        Drive<CFindDlg>(CQuarnWindow::FindId, [&](CFindDlg& dialog) {
            EXPECT_EQ(dialog.NameText, wxWindow::FindFocus());
            dialog.NameText->Clear();
            Input->Text(text.c_str());
            EXPECT_TRUE(PumpUntil([&] { return dialog.NameText->GetValue() == text; }));
            Press(key);
        });
    };
    find("Circle", WXK_RETURN); // the class and its implicit members
    EXPECT_EQ(Rect("Circle"), Selected().front());
    const size_t circles = Selected().size();
    find("Area", WXK_RETURN); // Shape's, Rectangle's, Square's and Circle's
    find("Circle", WXK_RETURN);
    find("Square", WXK_ESCAPE);
    EXPECT_EQ(circles + 4, Selected().size());
    EXPECT_EQ(std::to_string(circles + 4) + " items are selected", StatusLine());
}

TEST_F(FirstMinutes, ClassModeSelectsAClassByItsBorderAndTheStatusFollowsEveryNewTree) {
    Start(true, Relations);
    Command(CQuarnWindow::SelectClassId);
    CSqRectangle* square = Rect("Square");
    ClickOnTopBorder(square, 0.5f);
    EXPECT_EQ(std::list<CSqRectangle*>{square}, Selected());
    // The description's lines on one line, and whole in the tooltip.
    const std::string description = square->GetDescription();
    const size_t lineBreak = description.find('\n');
    ASSERT_NE(std::string::npos, lineBreak);
    EXPECT_EQ(description.substr(0, lineBreak) + CQuarnWindow::StatusSeparator +
                  description.substr(lineBreak + 1),
              StatusLine());
    EXPECT_EQ(description, Window().GetStatusBar()->GetToolTipText().utf8_string());

    // Settings confirmed, the file closed: the old tree is gone.
    const std::string none = "Select an item to view more detailed info";
    Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg&) { Press(WXK_RETURN); });
    EXPECT_EQ(none, StatusLine());
    ClickOnTopBorder(Rect("Square"), 0.3f);
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ(none, StatusLine());
}

TEST_F(FirstMinutes, AFailedOpenSaysWhyAndKeepsTheDocumentShown) {
    Start(true, Relations);
    View().ReplaceSelection({Rect("Circle")});
    const CRectArea* shown = View().GetTreemap();
    const std::string status = StatusLine();
    Dir.WriteFile("notes.xml", "notes\n");
    Dir.WriteFile("project.xml",
                  "<project><settings gccxml_path='g' output_file='o.xml'/></project>");
    App->GetWorkspace().Runner = [](const std::string&,
                                    const std::vector<std::string>&) -> CommandResult {
        throw std::bad_alloc();
    };
    const std::pair<std::string, std::string> failures[] = {
        {"notes.xml", "Line 1: Document is empty"},
        {"project.xml", "Out of memory"},
    };
    for (const auto& [file, cause] : failures) {
        const std::string path = Dir.Path() + "/" + file;
        wxTEST_DIALOG(Command(CQuarnWindow::OpenId), FileDialog(path),
                      CExpect<wxMessageDialog>([&](wxMessageDialog& box) {
                          EXPECT_EQ("Could not load file\nFile: " + path + "\n" + cause,
                                    box.GetMessage().utf8_string());
                          return box.GetCaption() == "Error loading" ? wxID_OK : wxID_NONE;
                      }));
        EXPECT_EQ(shown, View().GetTreemap()) << file;
        EXPECT_EQ(std::list<CSqRectangle*>{Rect("Circle")}, Selected());
        EXPECT_EQ(status, StatusLine());
    }
}
