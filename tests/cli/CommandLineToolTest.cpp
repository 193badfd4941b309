// The built quarncode-cli run as a process on the front-end output of real headers: what it
// prints, the pictures it writes and its exit status.

#include "support/RunCli.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

const std::string Relations = QUARN_BINARY_DIR "/fixtures/relations.xml";

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class CommandLineTool : public testing::Test {
protected:
    CTempDir Dir;
};

} // namespace

TEST_F(CommandLineTool, StatsCountWhatDumpListsDepthFirst) {
    CliResult stats = RunCli("stats " + Relations);
    CliResult dump = RunCli("dump " + Relations);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(stats.Out, m,
                                 std::regex("namespaces: 2\nclasses: \\d+\nfunctions: \\d+\n"
                                            "fields: \\d+\ntypedefs: \\d+\nenumerations: 0\n"
                                            "fundamental_types: \\d+\nderived_types: \\d+\n"
                                            "files: \\d+\nprogram_size: (\\d+)\n"
                                            "program_lines: (\\d+)\nfiles_size: (\\d+)\n")))
        << stats.Out;
    CliResult program = RunCli("find " + Relations + " Program");
    EXPECT_EQ("The program has " + m[2].str() + " number of lines and its files are " + m[3].str() +
                  " bytes in size.\nSquare layer: 0\nfound: 1\n",
              program.Out);
    // Parents first, children in list order: the file group, its file, then the namespaces.
    EXPECT_TRUE(std::regex_search(
        dump.Out,
        std::regex("0\tCProgramRect\t0 0 2 2\t-1 -1 1 1\t" + m[1].str() +
                   "\tProgram\n1\tCGrpFileRect\t.*\n2\tCFileRect\t.*\n1\tCGrpNsRect\t.*\n2\t"
                   "CNamespaceRect\t.*\t::\n"),
        std::regex_constants::match_continuous))
        << dump.Out.substr(0, 300);
}

TEST_F(CommandLineTool, FindPrintsTheDescriptionOfEachMatch) {
    const std::pair<std::string, std::string> cases[] = {
        {"Square",
         "Class named Square contains 2 fields, 6 functions and 0 types. It inherits from the "
         "following classes: { Rectangle }.\nSquare layer: 6\n"},
        {"Edge", "Field Edge is a member of the Class Square in its private interface, is of type "
                 "double with size 8.\nSquare layer: 8\nfound: 1\n"},
        {"geo",
         "The namespace named geo contains 0 fields, 1 functions, 5 types and 0 namespaces.\n"
         "Square layer: 4\nfound: 1\n"},
    };
    for (const auto& [name, expected] : cases) {
        CliResult find = RunCli("find " + Relations + " " + name);
        EXPECT_EQ(0, find.Status) << find.Err;
        EXPECT_EQ(expected, find.Out.substr(0, expected.size())) << name; // the class first
    }
}

// The picture's size and pixels are the render test's; here --select reaches the view.
TEST_F(CommandLineTool, RenderDrawsTheSelection) {
    ASSERT_EQ(0, RunCli("render " + Relations + " -o plain.png").Status);
    CliResult selected = RunCli("render " + Relations + " -o selected.png --select Rectangle");
    ASSERT_EQ(0, selected.Status) << selected.Err;
    EXPECT_NE(Dir.ReadFile("plain.png"), Dir.ReadFile("selected.png"));
}

TEST_F(CommandLineTool, UsageErrorsExitWithTwoAndLoadFailuresWithOne) {
    for (const char* arguments :
         {"", "frobnicate x.xml", "find x.xml", "stats x.xml --bogus", "stats x.xml --log",
          "render x.xml", "render x.xml -o x.png --width 0", "render x.xml -o x.png --height 16385",
          "render x.xml -o x.png --shader toon", "stats x.xml -o x.png",
          "dump x.xml --select Shape", "find x.xml A --scope own", "dump x.xml --ignore-case"}) {
        CliResult result = RunCli(arguments);
        EXPECT_TRUE(result.Status == 2 && result.Err.rfind("quarncode-cli: ", 0) == 0 &&
                    result.Err.find("\n\nUsage: quarncode-cli COMMAND") != std::string::npos)
            << arguments << ": " << result.Err;
    }
    EXPECT_EQ(0, RunCli("render " + Relations + " -o tiny.png --width 1 --height 16384").Status);

    // The desktop program's text: the failure, the file, the cause.
    CliResult missing = RunCli("stats missing.xml");
    EXPECT_EQ(1, missing.Status);
    EXPECT_EQ("Could not load file\nFile: missing.xml\nNo such file or directory\n", missing.Err);
}

TEST_F(CommandLineTool, TimingsPrintThePhasesAndSettingsChangeTheLayout) {
    CliResult timed = RunCli("dump " + Relations + " --timings");
    ASSERT_EQ(0, timed.Status) << timed.Err;
    EXPECT_TRUE(
        std::regex_match(timed.Err, std::regex("start-up: [0-9.]+ ms\npass 1: [0-9.]+ ms\npass 2: "
                                               "[0-9.]+ ms\nsizing: [0-9.]+ ms\nlayout: [0-9.]+ "
                                               "ms\nexit: [0-9.]+ ms\n")))
        << timed.Err;
    EXPECT_EQ("", RunCli("dump " + Relations).Err);

    Dir.WriteFile("flat.cfg", "<?xml version=\"1.0\"?>\n<settings><layout><group_squares "
                              "enabled=\"false\"/></layout></settings>\n");
    CliResult flat = RunCli("dump " + Relations + " --settings flat.cfg");
    ASSERT_EQ(0, flat.Status) << flat.Err;
    EXPECT_NE(std::string::npos, timed.Out.find("\tCGrpFieldRect\t"));
    EXPECT_EQ(std::string::npos, flat.Out.find("\tCGrpFieldRect\t"));
}

// --substring and --ignore-case: "ERIMETE" is part of Shape's and Rectangle's Perimeter.
TEST_F(CommandLineTool, FindWithSubstringAndIgnoreCaseListsEveryNameHoldingTheText) {
    EXPECT_EQ("found: 0\n", RunCli("find " + Relations + " ERIMETE").Out);
    const std::string found =
        RunCli("find --substring --ignore-case " + Relations + " ERIMETE").Out;
    EXPECT_EQ(2, Count(found, "Method double Perimeter() is a member of the Class ")) << found;
    EXPECT_EQ(found.size() - 9, found.find("found: 2\n")) << found;
}
