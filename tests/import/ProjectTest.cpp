#include "ImportTestSupport.h"

#include "import/RunCommand.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Lines = std::vector<std::string>;

// Puts a directory in front of PATH for the object's lifetime.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& directory) {
        const char* path = std::getenv("PATH");
        Previous = path != nullptr ? path : "";
        setenv("PATH", (directory + ":" + Previous).c_str(), 1);
    }
    ~ScopedPath() { setenv("PATH", Previous.c_str(), 1); }

private:
    std::string Previous;
};

// The lines of a file; empty when it does not exist.
Lines FileLines(const std::string& name) {
    Lines lines;
    std::ifstream in(name);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

} // namespace

// Projects run the recording stand-in for the front end, found by name along PATH.
class ProjectTest : public ImportTest {
protected:
    // Writes project.xml with the given inner text of its root element.
    void WriteProject(const std::string& inner) {
        Dir.WriteFile("project.xml",
                      "<?xml version=\"1.0\"?>\n<project>\n" + inner + "</project>\n");
    }

    // Loads fileName and returns the text the load threw; empty when it threw nothing.
    std::string LoadThrown(const std::string& fileName) {
        try {
            Load(fileName);
        } catch (const char* message) {
            return message;
        }
        return std::string();
    }

    // Loads a project whose front end is frontEnd and whose output file is never written;
    // returns what the load threw, with the standard error of the run in err.
    std::string LoadWithFrontEnd(const std::string& frontEnd, std::string& err) {
        WriteProject("  <settings gccxml_path=\"" + frontEnd + "\" output_file=\"none.xml\"/>\n");
        testing::internal::CaptureStderr();
        std::string thrown = LoadThrown("project.xml");
        err = testing::internal::GetCapturedStderr();
        return thrown;
    }

    ScopedPath Path{QUARN_RECORDER_DIR};
};

TEST_F(ProjectTest, FrontEndReceivesTheExactArgumentVector) {
    WriteProject("  <settings gccxml_path=\"quarn_argv_recorder\" output_file=\"out file.xml\"/>\n"
                 "  <options>\n"
                 "    <define arg=\"-DNDEBUG\"/>\n"
                 "    <other arg=\"-DWIN32\"/>\n"
                 "    <define/>\n"
                 "    <include arg=\"-I/some dir\"/>\n"
                 "  </options>\n");
    CRecordingProgress progress;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool loaded = Load("project.xml", &progress);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(
        (Lines{"quarn_argv_recorder", "-fxml=out file.xml", "-DNDEBUG", "-DWIN32", "-I/some dir"}),
        FileLines("argv.txt"));
    // The front end's messages reach our standard error, not our standard output.
    EXPECT_EQ("", out);
    EXPECT_NE(std::string::npos, err.find("front end on standard output"));
    ASSERT_EQ(1u, Program->Namespaces.size());
    EXPECT_EQ("::", Program->Namespaces[0]->GetName());
    EXPECT_TRUE(LogLines().empty());
    // The gauge stands at 30 after the run and moves 30, 65, 100 through the two passes.
    EXPECT_EQ((Lines{"message:Compiling project", "value:30", "refresh", "message:Reading nodes",
                     "value:65", "refresh", "message:Connecting nodes", "value:100", "refresh"}),
              progress.Events);
}

TEST_F(ProjectTest, WithoutOptionsOnlyTheOutputOptionIsPassed) {
    WriteProject("  <settings gccxml_path=\"quarn_argv_recorder\" output_file=\"out.xml\"/>\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(Load("project.xml"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ((Lines{"quarn_argv_recorder", "-fxml=out.xml"}), FileLines("argv.txt"));
}

TEST_F(ProjectTest, MissingSettingsAreLoggedAndRunNothing) {
    WriteProject("  <settings output_file=\"out.xml\"/>\n");
    EXPECT_FALSE(Load("project.xml"));
    WriteProject("  <settings gccxml_path=\"quarn_argv_recorder\"/>\n");
    EXPECT_FALSE(Load("project.xml"));
    EXPECT_EQ((Lines{"[error] Error loading project file: The project file does not have a "
                     "path to gccxml defined",
                     "[error] Error loading project file: The project file does not have an "
                     "output file defined"}),
              LogLines());
    EXPECT_TRUE(FileLines("argv.txt").empty());
    EXPECT_TRUE(ProgramIsEmpty());
}

TEST_F(ProjectTest, ProjectThatIsNotWellFormedThrows) {
    // The fault lies beyond what the first read of the root element looks at.
    Dir.WriteFile("project.xml", "<project><!-- " + std::string(4000, 'x') +
                                     " --><settings gccxml_path=\"x\"></project>");
    EXPECT_EQ("Invalid file or xml document", LoadThrown("project.xml"));
    EXPECT_TRUE(ProgramIsEmpty());
}

// A front end that cannot be started, or that ends without writing the output file.
TEST_F(ProjectTest, MissingFrontEndOrMissingOutputEndsInCouldNotOpen) {
    for (const char* frontEnd : {"quarn-no-such-front-end", "true"}) {
        std::string err;
        EXPECT_EQ("Could not open Xml file", LoadWithFrontEnd(frontEnd, err)) << frontEnd;
        EXPECT_TRUE(ProgramIsEmpty());
        if (std::string(frontEnd) != "true") {
            EXPECT_NE(std::string::npos, err.find("Could not start quarn-no-such-front-end"));
        }
    }
}

// A front end that writes nothing leaves an old output file to be read; one that is not
// front-end output fails in the first pass.
TEST_F(ProjectTest, OldOutputFileOfAnotherKindFailsInPassOne) {
    Dir.WriteFile("old.xml", "<settings><option id=\"_1\" arg=\"x\"/></settings>\n");
    WriteProject("  <settings gccxml_path=\"true\" output_file=\"old.xml\"/>\n");
    EXPECT_FALSE(Load("project.xml"));
    EXPECT_EQ((Lines{"[error] Unknown Element Type: option",
                     "[error] Error in xml file: Could not create element",
                     "[error] Error loading file: Read error on line number 1"}),
              LogLines());
}

TEST_F(ProjectTest, CommentBeforeTheRootIsNotAProject) {
    Dir.WriteFile("project.xml", "<!-- my project --><project><settings "
                                 "gccxml_path=\"quarn_argv_recorder\" output_file=\"o.xml\"/>"
                                 "</project>");
    EXPECT_FALSE(Load("project.xml"));
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(FileLines("argv.txt").empty());
}

TEST_F(ProjectTest, RunCommandWaitsAndReportsTheExitStatus) {
    const std::string arguments[] = {"-fxml=a b.xml", "two words"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(3, RunCommand("quarn_argv_recorder", arguments, 2));
    EXPECT_EQ(-1, RunCommand("quarn-no-such-front-end", arguments, 2));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ((Lines{"quarn_argv_recorder", "-fxml=a b.xml", "two words"}), FileLines("argv.txt"));
    EXPECT_NE(std::string::npos, err.find("Could not start quarn-no-such-front-end"));
    EXPECT_TRUE(std::ifstream("a b.xml").good()); // written before RunCommand returned
}

// Nothing in a project is ever seen by a shell: the characters a shell would act on reach the
// front end as they stand, and none of the commands they spell runs.
TEST_F(ProjectTest, ShellMetacharactersReachTheFrontEndUnchanged) {
    WriteProject("  <settings gccxml_path=\"quarn_argv_recorder\" output_file=\"$HOME; x.xml\"/>\n"
                 "  <options>\n"
                 "    <a arg=\"$(touch substituted)\"/>\n"
                 "    <a arg=\"`touch backquoted`\"/>\n"
                 "    <a arg=\"; touch separated\"/>\n"
                 "    <a arg=\"&amp;&amp; touch chained | cat &gt; redirected\"/>\n"
                 "    <a arg=\"'single' &quot;double&quot; \\escaped *.cpp ~ {a,b} #comment\"/>\n"
                 "    <a arg=\"\"/>\n"
                 "  </options>\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(Load("project.xml"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(
        (Lines{"quarn_argv_recorder", "-fxml=$HOME; x.xml", "$(touch substituted)",
               "`touch backquoted`", "; touch separated", "&& touch chained | cat > redirected",
               "'single' \"double\" \\escaped *.cpp ~ {a,b} #comment", ""}),
        FileLines("argv.txt"));
    for (const char* name : {"substituted", "backquoted", "separated", "chained", "redirected"})
        EXPECT_FALSE(std::ifstream(name).good()) << name;
    EXPECT_TRUE(std::ifstream("$HOME; x.xml").good());
}

// A front end that cannot be started, whatever the reason, ends like a front end that wrote
// nothing: "Could not open Xml file", with the reason on standard error.
TEST_F(ProjectTest, FrontEndThatCannotBeStartedEndsInCouldNotOpen) {
    std::filesystem::create_directory("front-end-directory");
    Dir.WriteFile("not-executable", "#!/bin/sh\nexit 0\n");
    for (const char* frontEnd : {"/no/such/directory/gccxml", "", "./front-end-directory",
                                 "./not-executable", "not-executable"}) {
        std::string err;
        EXPECT_EQ("Could not open Xml file", LoadWithFrontEnd(frontEnd, err)) << frontEnd;
        EXPECT_NE(std::string::npos, err.find("Could not start")) << frontEnd;
        EXPECT_TRUE(ProgramIsEmpty());
    }
}
