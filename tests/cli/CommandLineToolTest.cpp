// The built quarncode-cli run as a process on the front-end output of real headers: what it
// prints, the pictures it writes and its exit status.

#include "support/CTempDir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sys/wait.h>

namespace {

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

// Runs the tool in the current directory with arguments, capturing both outputs.
Result RunTool(const std::string& arguments) {
    const std::string command = QUARN_BINARY_DIR "/quarncode-cli " + arguments + " 2>stderr.txt";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        result.Out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Err = ReadWholeFile("stderr.txt");
    return result;
}

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
    Result stats = RunTool("stats " + Relations);
    Result dump = RunTool("dump " + Relations);
    ASSERT_EQ(0, stats.Status) << stats.Err;
    ASSERT_EQ(0, dump.Status) << dump.Err;
    std::smatch m;
    ASSERT_TRUE(std::regex_match(stats.Out, m,
                                 std::regex("namespaces: 2\nclasses: \\d+\nfunctions: \\d+\n"
                                            "fields: \\d+\ntypedefs: \\d+\nenumerations: 0\n"
                                            "fundamental_types: \\d+\nderived_types: \\d+\n"
                                            "files: \\d+\nprogram_size: (\\d+)\n"
                                            "program_lines: (\\d+)\nfiles_size: (\\d+)\n")))
        << stats.Out;
    Result program = RunTool("find " + Relations + " Program");
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
    const std::string header = QUARN_SOURCE_DIR "/tests/fixtures/relations.h";
    const std::string bytes = std::to_string(std::filesystem::file_size(header));
    const struct {
        std::string File, Name, Expected;
    } cases[] = {
        {Relations, "Square",
         "Class named Square contains 2 fields, 6 functions and 0 types. It inherits from the "
         "following classes: { Rectangle }.\nSquare layer: 6\n"},
        {Relations, "Side",
         "Method double Side() is a member of the Class Square in its public interface, has 1 "
         "lines of code.\nSquare layer: 8\nfound: 1\n"},
        {Relations, "Edge",
         "Field Edge is a member of the Class Square in its private interface, is of type "
         "double with size 8.\nSquare layer: 8\nfound: 1\n"},
        {Relations, "geo",
         "The namespace named geo contains 0 fields, 1 functions, 5 types and 0 namespaces.\n"
         "Square layer: 4\nfound: 1\n"},
        {Relations, header,
         "File " + header + " has a size of " + bytes + " bytes.\nSquare layer: 2\nfound: 1\n"},
        {QUARN_BINARY_DIR "/fixtures/iostream.xml", "cout",
         "Variable cout is of type ostream with size 1.\nSquare layer: 6\nfound: 1\n"},
        {Relations, "NoSuchName", "found: 0\n"},
    };
    for (const auto& c : cases) {
        Result find = RunTool("find " + c.File + " " + c.Name);
        EXPECT_EQ(0, find.Status) << find.Err;
        EXPECT_EQ(c.Expected, find.Out.substr(0, c.Expected.size())) << c.Name; // class first
    }
}

TEST_F(CommandLineTool, RenderWritesAPngOfTheGivenSizeAndDrawsTheSelection) {
    Result small = RunTool("render " + Relations + " -o small.png --width 320 --height 200");
    ASSERT_EQ(0, small.Status) << small.Err;
    const std::string png = Dir.ReadFile("small.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ("\x89PNG\r\n\x1a\n", png.substr(0, 8));
    EXPECT_EQ(std::string("\0\0\x01\x40\0\0\0\xc8", 8), png.substr(16, 8)); // 320 x 200

    ASSERT_EQ(0, RunTool("render " + Relations + " -o plain.png").Status);
    Result selected = RunTool("render " + Relations + " -o selected.png --select Rectangle");
    ASSERT_EQ(0, selected.Status) << selected.Err;
    EXPECT_NE(Dir.ReadFile("plain.png"), Dir.ReadFile("selected.png"));
}

TEST_F(CommandLineTool, UsageErrorsExitWithTwoAndLoadFailuresWithOne) {
    for (const char* arguments :
         {"", "frobnicate x.xml", "find x.xml", "stats x.xml --bogus", "stats x.xml --log",
          "render x.xml", "render x.xml -o x.png --width 0", "render x.xml -o x.png --height 16385",
          "render x.xml -o x.png --shader toon", "stats x.xml -o x.png",
          "dump x.xml --select Shape", "find x.xml A --scope own", "stats x.xml --substring",
          "dump x.xml --ignore-case"}) {
        Result result = RunTool(arguments);
        EXPECT_EQ(2, result.Status) << arguments;
        EXPECT_EQ(0u, result.Err.rfind("quarncode-cli: ", 0)) << arguments;
        EXPECT_NE(std::string::npos, result.Err.find("\n\nUsage: quarncode-cli COMMAND"))
            << arguments;
    }
    EXPECT_EQ(0, RunTool("render " + Relations + " -o tiny.png --width 1 --height 16384").Status);

    // The desktop program's text: the failure, the file, the cause.
    Dir.WriteFile("other.xml", "<?xml version=\"1.0\"?>\n<other/>\n");
    const std::pair<std::string, std::string> failures[] = {
        {"missing.xml", "No such file or directory"},
        {"other.xml",
         "The document starts with <other>, not with <GCC_XML> (front-end output) or <project>"}};
    for (const auto& [file, cause] : failures) {
        Result result = RunTool("stats " + file);
        EXPECT_EQ(1, result.Status) << file;
        EXPECT_EQ("Could not load file\nFile: " + file + "\n" + cause + "\n", result.Err);
    }
}

TEST_F(CommandLineTool, TimingsPrintThePhasesAndSettingsChangeTheLayout) {
    Result timed = RunTool("dump " + Relations + " --timings");
    ASSERT_EQ(0, timed.Status) << timed.Err;
    const std::string load = "start-up: [0-9.]+ ms\npass 1: [0-9.]+ ms\npass 2: [0-9.]+ ms\n"
                             "sizing: [0-9.]+ ms\n";
    EXPECT_TRUE(
        std::regex_match(timed.Err, std::regex(load + "layout: [0-9.]+ ms\nexit: [0-9.]+ ms\n")))
        << timed.Err;
    Result rendered = RunTool("render " + Relations + " -o timed.png --timings");
    EXPECT_TRUE(std::regex_match(rendered.Err,
                                 std::regex(load + "gl start-up: .*\nlayout: .*\ndraw: .*\n"
                                                   "read-back: .*\npng: .*\nexit: [0-9.]+ ms\n")))
        << rendered.Err;
    EXPECT_EQ("", RunTool("dump " + Relations).Err);

    Dir.WriteFile("flat.cfg", "<?xml version=\"1.0\"?>\n<settings><layout><group_squares "
                              "enabled=\"false\"/></layout></settings>\n");
    Result grouped = RunTool("dump " + Relations);
    Result flat = RunTool("dump " + Relations + " --settings flat.cfg");
    ASSERT_EQ(0, flat.Status) << flat.Err;
    EXPECT_NE(std::string::npos, grouped.Out.find("\tCGrpFieldRect\t"));
    EXPECT_EQ(std::string::npos, flat.Out.find("\tCGrpFieldRect\t"));
}

// --substring and --ignore-case: "ERIMETE" is part of Shape's and Rectangle's Perimeter.
TEST_F(CommandLineTool, FindWithSubstringAndIgnoreCaseListsEveryNameHoldingTheText) {
    EXPECT_EQ("found: 0\n", RunTool("find " + Relations + " ERIMETE").Out);
    const std::string found =
        RunTool("find --substring --ignore-case " + Relations + " ERIMETE").Out;
    EXPECT_EQ(2, Count(found, "Method double Perimeter() is a member of the Class ")) << found;
    EXPECT_EQ(found.size() - 9, found.find("found: 2\n")) << found;
}
