// What a new user meets first, driven through the real widgets on the test display: the
// Settings and Find dialogs shown for real and worked with the keyboard (XTest), clicks on the
// canvas, the status bar, and loads that fail.

#include "CDesktopTest.h"

#include "app/CFindDlg.h"
#include "app/CPrefDlg.h"
#include "layout/CSqRectangle.h"
#include "model/CProgram.h"
#include "view/CBasicView.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <filesystem>
#include <set>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
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

using FirstMinutes = CDesktopTest;

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
        int p = 0;
        while (p <= 100 && position(value(p)) == p)
            ++p;
        EXPECT_EQ(101, p) << "position " << p << " does not come back, " << setting;
    }
    EXPECT_EQ(6, CPrefDlg::BorderPixels(69)); // a tenth, truncated
}

// Settings shows every control whole, Tab reaches each and the keys move the sliders; OK
// without a change keeps every value, and Save writes the values shown.
TEST_F(FirstMinutes, SettingsShowEveryControlOkKeepsEveryValueAndSaveWritesTheShownOnes) {
    Start(true, Relations);
    const std::string original = Dir.ReadFile("settings.cfg");
    Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg& dialog) {
        std::vector<wxWindow*> all;
        Descendants(&dialog, all);
        for (wxWindow* window : all) {
            const wxSize size = window->GetSize(), best = window->GetBestSize();
            EXPECT_TRUE(wxRect(window->GetParent()->GetClientSize()).Contains(window->GetRect()) &&
                        size.x >= best.x && size.y >= best.y)
                << window->GetLabel() << " " << window->GetClassInfo()->GetClassName();
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
    for (int i = 0; i < 3; ++i) {
        Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg&) { Press(WXK_RETURN); });
        EXPECT_EQ(original, Dir.ReadFile("settings.cfg")) << i;
    }

    // One slider moved a step, the shown values saved under another name with a click.
    Drive<CPrefDlg>(CQuarnWindow::SettingsId, [&](CPrefDlg& dialog) {
        dialog.CushionHSlider->SetValue(50);
        Input->MouseMove(dialog.SaveButton->GetScreenRect().GetPosition() + wxPoint(5, 5));
        wxTEST_DIALOG(
            (Input->MouseClick(), PumpUntil([] { return std::filesystem::exists("copy.cfg"); })),
            FileDialog(Dir.Path() + "/copy.cfg"));
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

TEST_F(FirstMinutes, EnterInFindSearchesEscapeCancelsAndAFailedOpenKeepsTheDocument) {
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
    const auto& selected = View().GetSelection().SelectedRects;
    find("Circle", WXK_RETURN); // the class and its implicit members
    EXPECT_EQ(Rect("Circle"), selected.front());
    const size_t circles = selected.size();
    find("Square", WXK_ESCAPE);
    EXPECT_EQ(circles, selected.size());

    // Even a failure that is no error of the load's own (the front end's runner running out of
    // memory) is shown, and leaves the document, its selection and the status as they were.
    const CRectArea* shown = View().GetTreemap();
    const std::string status = StatusLine();
    Dir.WriteFile("project.xml",
                  "<project><settings gccxml_path='g' output_file='o.xml'/></project>");
    App->GetWorkspace().Runner = [](auto&, auto&) -> CommandResult { throw std::bad_alloc(); };
    const std::string path = Dir.Path() + "/project.xml";
    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), FileDialog(path),
                  CExpect<wxMessageDialog>([&](wxMessageDialog& box) {
                      EXPECT_EQ("Could not load file\nFile: " + path + "\nOut of memory",
                                box.GetMessage().utf8_string());
                      return box.GetCaption() == "Error loading" ? wxID_OK : wxID_NONE;
                  }));
    EXPECT_EQ(shown, View().GetTreemap());
    EXPECT_EQ(circles, selected.size());
    EXPECT_EQ(status, StatusLine());
}

// quarncode --help needs no display.
TEST(DesktopCommandLine, HelpPrintsTheUsageWithoutADisplay) {
    CTempDir dir;
    EXPECT_EQ(0, std::system("env -u DISPLAY -u WAYLAND_DISPLAY " QUARN_BINARY_DIR
                             "/quarncode --help > out.txt 2>&1"));
    EXPECT_EQ(0u, dir.ReadFile("out.txt").rfind("Usage: quarncode [FILE]\n", 0));
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
    EXPECT_TRUE(only.IsEnabled() && only.IsChecked());
    EXPECT_EQ(1u, files()); // relations.h, not <builtin>
    Command(CQuarnWindow::ProjectScopeId);
    EXPECT_TRUE(!only.IsChecked() && files() == 2 && runs == 1);
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ("Quarn Code", Window().GetTitle());
    EXPECT_FALSE(only.IsEnabled());
}
