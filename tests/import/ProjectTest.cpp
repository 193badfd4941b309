// Projects: the front end named in the project file is run with the GCC-XML command line, no
// shell in between, and its output is read.
#include "ImportTest.h"

#include <filesystem>

// Projects run the recording stand-in for the front end, QUARN_RECORDER (it writes its argument
// vector to argv.txt, a small output file, and exits 3).
class ProjectTest : public ImportTest {
protected:
    void WriteProject(const std::string& inner) {
        Dir.WriteFile("project.xml",
                      "<?xml version=\"1.0\"?>\n<project>\n" + inner + "</project>\n");
    }
    // Loads project.xml; the text of the error it threw, or "" when it threw none.
    std::string LoadThrown() {
        testing::internal::CaptureStderr();
        std::string thrown;
        try {
            Load("project.xml");
        } catch (const CError& error) {
            thrown = error.what();
        }
        testing::internal::GetCapturedStderr(); // what the front end and the runner said
        return thrown;
    }
};

TEST_F(ProjectTest, TheFrontEndGetsTheArgumentsAsWrittenAndNoShellActsOnThem) {
    WriteProject(
        "  <settings gccxml_path=\"" QUARN_RECORDER "\" output_file=\"$HOME; x.xml\"/>\n"
        "  <options>\n"
        "    <define arg=\"-DNDEBUG\"/><define/><include arg=\"-I/some dir\"/>\n"
        "    <a arg=\"$(touch substituted)\"/><a arg=\"; touch separated\"/><a arg=\"\"/>\n"
        "  </options>\n");
    CRecordingProgress progress;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool loaded = Load("project.xml", &progress);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(QUARN_RECORDER "\n-fxml=$HOME; x.xml\n-DNDEBUG\n-I/some dir\n$(touch substituted)\n"
                             "; touch separated\n\n",
              ReadWholeFile("argv.txt"));
    for (const char* name : {"substituted", "separated"})
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    // The front end's messages reach our standard error, not our standard output.
    EXPECT_EQ("", out);
    EXPECT_NE(std::string::npos, err.find("front end on standard output"));
    EXPECT_EQ("::", Program->Namespaces[0]->GetName());
    // The gauge stands at 30 after the run and moves 30, 65, 100 through the two passes.
    EXPECT_EQ((Lines{"message:Compiling project", "value:30", "refresh", "message:Reading nodes",
                     "value:65", "refresh", "message:Connecting nodes", "value:100", "refresh"}),
              progress.Events);
}

TEST_F(ProjectTest, AnIncompleteProjectIsLoggedAndRunsNothing) {
    WriteProject("  <settings output_file=\"out.xml\"/>\n");
    EXPECT_FALSE(Load("project.xml"));
    WriteProject("  <settings gccxml_path=\"" QUARN_RECORDER "\"/>\n");
    EXPECT_FALSE(Load("project.xml"));
    EXPECT_EQ((Lines{"[error] Error loading project file: The project file does not have a "
                     "path to gccxml defined",
                     "[error] Error loading project file: The project file does not have an "
                     "output file defined"}),
              LogLines());
    EXPECT_FALSE(std::filesystem::exists("argv.txt"));
}

// A front end that cannot be started, whatever the reason, ends like one that wrote nothing,
// and the message says why.
TEST_F(ProjectTest, AFrontEndThatWritesNothingEndsInCouldNotOpen) {
    Dir.WriteFile("not-executable", "#!/bin/sh\nexit 0\n");
    for (const std::string frontEnd : {"quarn-no-such-front-end", "", "./not-executable", "true"}) {
        WriteProject("  <settings gccxml_path=\"" + frontEnd + "\" output_file=\"none.xml\"/>\n");
        const std::string thrown = LoadThrown(), start = "Could not open Xml file\nFile: none.xml, "
                                                         "the front-end output of project.xml\n"
                                                         "The front end \"" +
                                                         frontEnd + "\" ";
        EXPECT_EQ(start, thrown.substr(0, start.size()));
        EXPECT_NE(std::string::npos, thrown.find(frontEnd == "true" ? "ended with exit status 0"
                                                                    : "could not be started: "));
    }
}

// A failing front end is reported with its exit status and the last lines it wrote; the log
// keeps them all.
TEST_F(ProjectTest, AFailingFrontEndIsReportedWithItsStatusAndTheLastLinesItWrote) {
    Dir.WriteFile("noisy",
                  "#!/bin/sh\nfor i in $(seq 25); do echo \"error $i\" >&2; done\nexit 2\n");
    std::filesystem::permissions("noisy", std::filesystem::perms::owner_all);
    WriteProject("  <settings gccxml_path=\"./noisy\" output_file=\"none.xml\"/>\n");
    std::string expected = "Could not open Xml file\nFile: none.xml, the front-end output of "
                           "project.xml\nThe front end \"./noisy\" ended with exit status 2. The "
                           "last lines it wrote:";
    for (int i = 6; i <= 25; ++i)
        expected += "\nerror " + std::to_string(i);
    EXPECT_EQ(expected, LoadThrown());
    const Lines log = LogLines();
    ASSERT_EQ(26u, log.size());
    EXPECT_EQ("[front end] ./noisy: error 1", log[0]);
    EXPECT_EQ("[front end] ./noisy: ended with exit status 2", log[25]);
}
