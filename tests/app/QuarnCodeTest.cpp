// The application object: start-up, the log of a run, the load pipeline and its failures.

#include "AppTestSupport.h"

#include "app/CProgressDlg.h"
#include "app/CQuarnWindow.h"
#include "layout/CProgramRect.h"
#include "model/CBasicType.h"
#include "render/CBasicView.h"
#include "render/CGLCanvas.h"
#include "render/CViewData.h"
#include "settings/SettingsFile.h"

#include <cstdlib>
#include <filesystem>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <wx/menu.h>

namespace {

const char* const RelationsFile = QUARN_BINARY_DIR "/fixtures/relations.xml";

// Root ignores directory permissions. While this lives, the calling thread (the one that
// opens the log) runs without that privilege, so a read-only directory is read-only for it.
class CWithoutPermissionOverride {
public:
    CWithoutPermissionOverride() {
        if (syscall(SYS_capget, &Header, Saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {Saved[0], Saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        Changed = syscall(SYS_capset, &Header, reduced) == 0;
    }
    ~CWithoutPermissionOverride() {
        if (Changed)
            syscall(SYS_capset, &Header, Saved);
    }

private:
    __user_cap_header_struct Header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct Saved[2] = {};
    bool Changed = false;
};

// Whether a file can be created in the working directory.
bool CanCreateFile() {
    std::FILE* probe = std::fopen("probe.txt", "w");
    if (probe == nullptr)
        return false;
    std::fclose(probe);
    std::remove("probe.txt");
    return true;
}

// One line per menu item: "<menu>|<id>|<label>|<kind>|<help>|<checked>".
std::vector<std::string> DescribeMenus(wxMenuBar& bar) {
    std::vector<std::string> lines;
    for (size_t m = 0; m < bar.GetMenuCount(); ++m) {
        for (const wxMenuItem* item : bar.GetMenu(m)->GetMenuItems()) {
            const char* kind = item->IsSeparator() ? "separator"
                               : item->IsRadio()   ? "radio"
                                                   : "normal";
            lines.push_back(bar.GetMenuLabel(m).utf8_string() + "|" +
                            std::to_string(item->GetId()) + "|" +
                            item->GetItemLabel().utf8_string() + "|" + kind + "|" +
                            item->GetHelp().utf8_string() + "|" +
                            (item->IsCheckable() && item->IsChecked() ? "checked" : ""));
        }
    }
    return lines;
}

bool ProgressDialogExists() {
    for (wxWindow* window : wxTopLevelWindows) {
        if (dynamic_cast<CProgressDlg*>(window) != nullptr)
            return true;
    }
    return false;
}

// The progress of a load: the texts in order, and the bar's position at each text's first
// and last painting.
struct CProgressSummary {
    std::vector<std::string> Texts;
    std::vector<std::pair<int, int>> Ranges;
    bool Rising = true; // the bar never moved back
};

CProgressSummary Summarise(const CProgressRecorder& recorder) {
    CProgressSummary summary;
    int last = 0;
    for (const CProgressRecorder::Step& step : recorder.Steps) {
        if (summary.Texts.empty() || summary.Texts.back() != step.Text) {
            summary.Texts.push_back(step.Text);
            summary.Ranges.emplace_back(step.Value, step.Value);
        }
        summary.Ranges.back().second = step.Value;
        summary.Rising = summary.Rising && step.Value >= last;
        last = step.Value;
    }
    return summary;
}

} // namespace

TEST_F(CAppTest, ARunThatLoadsNothingLogsItsStartItsSettingsAndItsStop) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Window().IsShown());
    EXPECT_EQ(&Window(), App->GetTopWindow());
    EXPECT_EQ("Quarn Code", Window().GetTitle().utf8_string());
    EXPECT_EQ(App->GetView(), Canvas().GetView());
    EXPECT_EQ(nullptr, App->GetViewData());
    EXPECT_EQ("", Status());
    // The file says 0.005 for the border: in single precision that is 4 whole pixels.
    EXPECT_EQ(4, App->GetLooks().DynamicBorderWidth);
    EXPECT_EQ((std::vector<std::string>{
                  "&File|2|&Open...|normal||",
                  "&File|3|&Close|normal||",
                  "&File|-2||separator||",
                  "&File|1|E&xit|normal||",
                  "&Tools|4|&Find...|normal||",
                  "&Tools|5|&Settings|normal||",
                  "&Selection|9|&None|radio||checked",
                  "&Selection|6|&Class|radio||",
                  "&Selection|7|&Group|radio||",
                  "&Selection|8|&File|radio||",
                  "&Shader|10|&Normal|radio|Switch to normal program|checked",
                  "&Shader|11|&Specular|radio|Switch to specular program|",
                  "&Shader|12|&Debug|radio|Switch to debug program|",
              }),
              DescribeMenus(*Window().GetMenuBar()));

    Stop();
    CLayoutSettings layout;
    CLooksSettings looks;
    ASSERT_TRUE(ReadSettings(layout, looks));
    EXPECT_EQ("start logging: opening log file\n"
              "Config file loaded, layout: : " +
                  DumpLayoutSettings(layout) +
                  "\n"
                  "Config file loaded, looks: : " +
                  DumpLooksSettings(looks) +
                  "\n"
                  "stop logging: closing file\n",
              Dir.ReadFile("log.txt"));
}

TEST_F(CAppTest, StartingInAReadOnlyDirectoryReportsTheLogOnceAndStillOpensTheWindow) {
    ASSERT_EQ(0, chmod(Dir.Path().c_str(), 0555));
    bool started = false;
    {
        CWithoutPermissionOverride readOnly;
        ASSERT_FALSE(CanCreateFile());
        wxTEST_DIALOG(started = Start(), CExpectMessage("Could not create log file", "Error"));
    }
    ASSERT_TRUE(started);
    EXPECT_TRUE(Window().IsShown());
    EXPECT_EQ(App->GetView(), Canvas().GetView());
    // The settings were still read from the directory.
    EXPECT_EQ(4, App->GetLooks().DynamicBorderWidth);
    Open(RelationsFile);
    EXPECT_NE(nullptr, App->GetView()->GetTreemap());
    Stop();
    EXPECT_FALSE(std::filesystem::exists(Dir.Path() + "/log.txt"));
}

TEST_F(CAppTest, WithoutTheFragmentProgramExtensionStartUpReportsOpenGLAndStops) {
    // Mesa hides the extension from the contexts of a process started with this variable:
    // the check runs in a fresh copy of this program.
    setenv("MESA_EXTENSION_OVERRIDE", "-GL_ARB_fragment_program -GL_ARB_fragment_program_shadow",
           1);
    EXPECT_EXIT(
        {
            bool started = true;
            wxTEST_DIALOG(
                started = Start(),
                CExpectMessage("Error initializing opengl, check the log file for details",
                               "Error initializing windows"));
            const bool noWindow = App->GetMainWindow() == nullptr && wxTopLevelWindows.empty();
            Stop();
            const std::string log = Dir.ReadFile("log.txt");
            std::fprintf(stderr, "started %d, window %d, failures %d\n%s", started, !noWindow,
                         testing::Test::HasFailure(), log.c_str());
            wxEntryCleanup();
            std::exit(!started && noWindow && !testing::Test::HasFailure() ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "started 0, window 0, failures 0\n"
        "start logging: opening log file\n"
        "\\[error\\] Opengl initialization failed: Could not load the 'ARB fragment program' "
        "extension\n"
        "stop logging: closing file\n");
    unsetenv("MESA_EXTENSION_OVERRIDE");
}

TEST_F(CAppTest, OpeningAFrontEndFileShowsItsTreemapAfterTheProgressSteps) {
    ASSERT_TRUE(Start());
    CWindowImage empty = PaintCanvas();
    ASSERT_GT(empty.Width, 300);
    EXPECT_EQ(0, empty.CountOtherThan(255, 255, 255)); // the clear colour only

    CProgressRecorder progress;
    Open(RelationsFile);
    const CProgressSummary summary = Summarise(progress);
    EXPECT_EQ((std::vector<std::string>{"Reading XML file", "Reading nodes", "Connecting nodes",
                                        "Squarifying..."}),
              summary.Texts);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {0, 50}, {50, 100}, {100, 100}}),
              summary.Ranges);
    EXPECT_TRUE(summary.Rising);
    EXPECT_GT(progress.Steps.size(), 20u); // the passes move the bar as they go
    EXPECT_FALSE(ProgressDialogExists());

    ASSERT_NE(nullptr, App->GetViewData());
    ASSERT_NE(nullptr, App->GetView()->GetTreemap());
    EXPECT_EQ(App->GetViewData()->GetProgram(),
              App->GetView()->GetTreemap()->GetRoot()->GetElement());
    CWindowImage shown = PaintCanvas();
    // The root rectangle fills the canvas.
    EXPECT_EQ(shown.Width * shown.Height, shown.CountOtherThan(255, 255, 255));
}

TEST_F(CAppTest, OpeningAProjectCompilesItWithTheFrontEndFirst) {
    // The example's project names its files relative to the working directory.
    const std::filesystem::path example = QUARN_SOURCE_DIR "/examples/shapes";
    for (const char* name : {"project.xml", "shapes.cpp"})
        std::filesystem::copy_file(example / name, Dir.Path() + "/" + name);
    std::filesystem::copy(example / "include", Dir.Path() + "/include");
    ASSERT_TRUE(Start());

    CProgressRecorder progress;
    Open(Dir.Path() + "/project.xml");
    const CProgressSummary summary = Summarise(progress);
    EXPECT_EQ((std::vector<std::string>{"Reading XML file", "Compiling project", "Reading nodes",
                                        "Connecting nodes", "Squarifying..."}),
              summary.Texts);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {0, 30}, {30, 65}, {65, 100}, {100, 100}}),
              summary.Ranges);
    EXPECT_TRUE(summary.Rising);
    EXPECT_TRUE(std::filesystem::exists(Dir.Path() + "/shapes-gccxml.xml"));
    ASSERT_NE(nullptr, App->GetView()->GetTreemap());
}

TEST_F(CAppTest, AFileOfNeitherKindIsReportedAndLeavesTheWindowEmptyUntilTheNextOpen) {
    ASSERT_TRUE(Start());
    Open(RelationsFile);
    ASSERT_NE(nullptr, App->GetViewData());
    Dir.WriteFile("notes.xml", "<?xml version=\"1.0\"?>\n<notes><note/></notes>\n");

    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), OpenDialog(Dir.Path() + "/notes.xml"),
                  CExpectMessage("Could not load file", "Error loading"));
    EXPECT_EQ(nullptr, App->GetViewData());
    EXPECT_EQ(nullptr, App->GetView()->GetTreemap());
    EXPECT_EQ(0, PaintCanvas().CountOtherThan(255, 255, 255));
    EXPECT_FALSE(ProgressDialogExists());

    Open(RelationsFile);
    ASSERT_NE(nullptr, App->GetViewData());
    EXPECT_NE(nullptr, App->GetView()->GetTreemap());
    EXPECT_GT(PaintCanvas().CountOtherThan(255, 255, 255), 0);
}

TEST_F(CAppTest, AnUnknownFundamentalTypeIsReportedAndTheProgramReleased) {
    std::string text = ReadWholeFile(RelationsFile);
    const std::string known = "name=\"double\"";
    const size_t at = text.find(known);
    ASSERT_NE(std::string::npos, at);
    ASSERT_NE(std::string::npos, text.rfind("<FundamentalType", at));
    text.replace(at, known.size(), "name=\"_Float16x\"");
    Dir.WriteFile("odd.xml", text);
    ASSERT_TRUE(Start());

    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), OpenDialog(Dir.Path() + "/odd.xml"),
                  CExpectMessage(UnknownFundamentalTypeMessage, "Error loading"));
    EXPECT_EQ(nullptr, App->GetViewData());
    EXPECT_EQ(nullptr, App->GetView()->GetTreemap());
    EXPECT_NE(std::string::npos,
              Dir.ReadFile("log.txt").find("[error] Could not init basic type: _Float16x is an "
                                           "unknown fundamental type.\n"));
    // The sanitizer build reports the program model if the failure leaked it.
    Open(RelationsFile);
    EXPECT_NE(nullptr, App->GetView()->GetTreemap());
}

TEST_F(CAppTest, CancellingOpenKeepsTheDocumentAndCloseEmptiesTheWindow) {
    ASSERT_TRUE(Start());
    Open(RelationsFile);
    CViewData* data = App->GetViewData();
    ASSERT_NE(nullptr, data);
    const CWindowImage shown = PaintCanvas();

    wxTEST_DIALOG(Command(CQuarnWindow::OpenId),
                  CExpectFile("Open a project file", Dir.Path() + "/settings.cfg", wxID_CANCEL));
    EXPECT_EQ(data, App->GetViewData());
    ASSERT_NE(nullptr, App->GetView()->GetTreemap());
    EXPECT_EQ(shown.Rgb, PaintCanvas().Rgb);

    Window().SetStatusText("before closing");
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ(nullptr, App->GetViewData());
    EXPECT_EQ(nullptr, App->GetView()->GetTreemap());
    EXPECT_EQ(0, PaintCanvas().CountOtherThan(255, 255, 255));
    // Closing again, with nothing loaded, changes nothing.
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ("before closing", Status());
    EXPECT_EQ(0, PaintCanvas().CountOtherThan(255, 255, 255));
}
