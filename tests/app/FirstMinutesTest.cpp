// What a new user meets first, driven through the real widgets on the test display: the
// Settings and Find dialogs shown for real and worked with the keyboard (XTest), clicks on the
// canvas, the status bar, and loads that fail.

#include "CDesktopTest.h"

#include "app/CFindDlg.h"
#include "app/CGLCanvas.h"
#include "app/CPrefDlg.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CProgram.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <cmath>
#include <filesystem>
#include <list>
#include <set>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

namespace {

const std::string Relations = QUARN_BINARY_DIR "/fixtures/relations.xml";

// Every window below window, depth first.
void Descendants(wxWindow* window, std::vector<wxWindow*>& found) {
    for (wxWindow* child : window->GetChildren()) {
        found.push_back(child);
        Descendants(child, found);
    }
}

class FirstMinutes : public CDesktopTest {
protected:
    const std::list<CSqRectangle*>& Selected() const { return View().GetSelection().SelectedRects; }
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

// Settings shows every control whole, Tab reaches each and the keys move the sliders; Cancel
// keeps nothing, OK without a change keeps every value, and Save writes the values shown.
TEST_F(FirstMinutes, SettingsShowEveryControlOkKeepsEveryValueAndSaveWritesTheShownOnes) {
    Start(true, Relations);
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
                Press(WXK_RIGHT, 0, [&] { return slider->GetValue() == before + 1; });
            }
            Press(WXK_TAB, 0, [&] { return wxWindow::FindFocus() != focus; });
        }
        EXPECT_EQ(controls, reached);
        Press(WXK_ESCAPE);
    });
    // Cancelled: nothing is kept or written.
    EXPECT_EQ(original, Dir.ReadFile("settings.cfg"));
    EXPECT_EQ(4.88f, View().GetLooks().CushionH);
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
        Press(WXK_RIGHT, 0, [&] { return dialog.CushionHSlider->GetValue() == 50; });
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
    find("Circle", WXK_RETURN);
    find("Square", WXK_ESCAPE);
    EXPECT_EQ(circles, Selected().size());
}

// The status line joins the description's lines (as the session test checks); the tooltip holds
// it whole.
TEST_F(FirstMinutes, ClassModeSelectsAClassByItsBorderAndTheTooltipHoldsItsDescription) {
    Start(true, Relations);
    Command(CQuarnWindow::SelectClassId);
    CSqRectangle* square = Rect("Square");
    ClickOn(square, 0.5f);
    EXPECT_EQ(std::list<CSqRectangle*>{square}, Selected());
    EXPECT_EQ(square->GetDescription(), Window().GetStatusBar()->GetToolTipText().utf8_string());
}

// Even a failure that is no error of the load's own (the front end's runner running out of
// memory) is shown, and leaves the document, its selection and the status as they were.
TEST_F(FirstMinutes, AFailedOpenSaysWhyAndKeepsTheDocumentShown) {
    Start(true, Relations);
    View().ReplaceSelection({Rect("Circle")});
    const CRectArea* shown = View().GetTreemap();
    const std::string status = StatusLine();
    Dir.WriteFile("project.xml",
                  "<project><settings gccxml_path='g' output_file='o.xml'/></project>");
    App->GetWorkspace().Runner = [](const std::string&,
                                    const std::vector<std::string>&) -> CommandResult {
        throw std::bad_alloc();
    };
    const std::string path = Dir.Path() + "/project.xml";
    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), FileDialog(path),
                  CExpect<wxMessageDialog>([&](wxMessageDialog& box) {
                      EXPECT_EQ("Could not load file\nFile: " + path + "\nOut of memory",
                                box.GetMessage().utf8_string());
                      return box.GetCaption() == "Error loading" ? wxID_OK : wxID_NONE;
                  }));
    EXPECT_EQ(shown, View().GetTreemap());
    EXPECT_EQ(std::list<CSqRectangle*>{Rect("Circle")}, Selected());
    EXPECT_EQ(status, StatusLine());
}

// The desktop command line: --help needs no display, and a usage error says so.
TEST(DesktopCommandLine, HelpPrintsTheUsageWithoutADisplayAndAWrongOptionIsAUsageError) {
    const std::tuple<std::string, int, std::string> cases[] = {
        {"--help", 0, "Usage: quarncode [FILE]\n"},
        {"--bogus", 2, "quarncode: unknown option --bogus\n"},
        {"a.xml b.xml", 2, "quarncode: more than one file given\n"},
    };
    for (const auto& [arguments, status, start] : cases) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY " QUARN_BINARY_DIR
                                    "/quarncode " +
                                    arguments + " 2>&1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(nullptr, pipe);
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, got);
        EXPECT_EQ(status, WEXITSTATUS(pclose(pipe))) << arguments;
        EXPECT_EQ(0u, output.rfind(start, 0)) << output;
    }
}

// quarncode FILE opens a project at start-up, with the scope it asks for; View, "Only Project
// Files" loads it again with the other scope, without running its front end again; the title
// names the open file.
TEST_F(FirstMinutes, TheCommandLineOpensAFileAndOnlyProjectFilesSwitchesItsScope) {
    Dir.WriteFile("project.xml", "<project><settings gccxml_path='fe' output_file='out.xml' "
                                 "scope='project'/><options><i arg='-I" QUARN_SOURCE_DIR
                                 "/tests/fixtures'/></options></project>");
    delete App;
    App = new CQuarnCode(Dir.Path() + "/project.xml"); // as main makes it for quarncode FILE
    int runs = 0;
    App->GetWorkspace().Runner = [&](const std::string&, const std::vector<std::string>&) {
        ++runs;
        std::filesystem::copy_file(Relations, "out.xml");
        return CommandResult{0, "", ""};
    };
    Start(true, "");
    ASSERT_TRUE(PumpUntil([&] { return App->GetViewData() != nullptr; }));
    EXPECT_EQ("project.xml - Quarn Code", Window().GetTitle());
    const wxMenuItem& only = *Window().GetMenuBar()->FindItem(CQuarnWindow::ProjectScopeId);
    auto files = [&] { return App->GetViewData()->GetProgram()->SourceFiles.size(); };
    EXPECT_TRUE(only.IsEnabled());
    EXPECT_TRUE(only.IsChecked());
    EXPECT_EQ(1u, files()); // relations.h, not <builtin>
    EXPECT_NE(nullptr, Rect("Square"));
    Command(CQuarnWindow::ProjectScopeId);
    EXPECT_FALSE(only.IsChecked());
    EXPECT_EQ(2u, files());
    EXPECT_EQ(1, runs);
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ("Quarn Code", Window().GetTitle());
    EXPECT_FALSE(only.IsEnabled());
    // A front-end file names no project.
    App->LoadFile(Relations);
    EXPECT_EQ("relations.xml - Quarn Code", Window().GetTitle());
    EXPECT_FALSE(only.IsEnabled());
    EXPECT_FALSE(only.IsChecked());
}
