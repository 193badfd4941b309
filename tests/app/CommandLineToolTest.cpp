#include "support/CTempDir.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

// Runs the tool with arguments in the current directory, capturing both outputs; environment
// holds extra variable settings for the run.
Result RunTool(const std::string& arguments, const std::string& environment = "") {
    std::string command =
        environment + " " + QUARN_BINARY_DIR "/quarncode-cli " + arguments + " 2>stderr.txt";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.Out.append(buffer.data(), count);
    int status = pclose(pipe);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Err = ReadWholeFile("stderr.txt");
    return result;
}

std::string Fixture(const char* name) {
    return std::string(QUARN_BINARY_DIR "/fixtures/") + name + ".xml";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

int Count(const std::string& stats, const std::string& key) {
    for (const std::string& line : Lines(stats)) {
        if (line.rfind(key + ": ", 0) == 0)
            return std::stoi(line.substr(key.size() + 2));
    }
    return -1;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

bool IsNumber(const std::string& text) {
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

} // namespace

TEST(CommandLineTool, StatsCountsTheModelOfARealHeader) {
    CTempDir dir;
    Result stats = RunTool("stats " + Fixture("vector"));
    ASSERT_EQ(0, stats.Status) << stats.Err;
    std::vector<std::string> lines = Lines(stats.Out);
    std::vector<std::string> keys = {
        "namespaces", "classes",      "functions",         "fields",
        "typedefs",   "enumerations", "fundamental_types", "derived_types",
        "files",      "program_size", "program_lines",     "files_size"};
    ASSERT_EQ(keys.size(), lines.size()) << stats.Out;
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(0u, lines[i].rfind(keys[i] + ": ", 0)) << lines[i];

    // Counted independently from the file: every element of each kind below the root.
    std::string xml = ReadWholeFile(Fixture("vector"));
    auto tags = [&](const char* tag) {
        int n = 0;
        for (size_t at = xml.find(std::string("\n  <") + tag + " "); at != std::string::npos;
             at = xml.find(std::string("\n  <") + tag + " ", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(tags("Namespace"), Count(stats.Out, "namespaces"));
    EXPECT_EQ(tags("Class") + tags("Struct") + tags("Union"), Count(stats.Out, "classes"));
    EXPECT_EQ(tags("Function") + tags("Method") + tags("Constructor") + tags("Destructor") +
                  tags("OperatorMethod") + tags("OperatorFunction") + tags("Converter"),
              Count(stats.Out, "functions"));
    EXPECT_EQ(tags("Field") + tags("Variable"), Count(stats.Out, "fields"));
    EXPECT_EQ(tags("Typedef"), Count(stats.Out, "typedefs"));
    EXPECT_EQ(tags("Enumeration"), Count(stats.Out, "enumerations"));
    EXPECT_EQ(tags("File"), Count(stats.Out, "files"));
    EXPECT_EQ(tags("PointerType") + tags("ReferenceType") + tags("ArrayType") +
                  tags("FunctionType") + tags("MethodType") + tags("OffsetType"),
              Count(stats.Out, "derived_types"));
    EXPECT_GE(Count(stats.Out, "fundamental_types"), tags("FundamentalType"));
    EXPECT_GT(Count(stats.Out, "program_size"), 0);
    EXPECT_GT(Count(stats.Out, "files_size"), 0);
}

TEST(CommandLineTool, DumpPrintsEveryRectangleDepthFirst) {
    CTempDir dir;
    Result dump = RunTool("dump " + Fixture("iostream"));
    ASSERT_EQ(0, dump.Status) << dump.Err;
    Result stats = RunTool("stats " + Fixture("iostream"));
    std::vector<std::string> lines = Lines(dump.Out);
    ASSERT_GT(lines.size(), 1000u);
    EXPECT_EQ("0\tCProgramRect\t0 0 2 2\t-1 -1 1 1\t" +
                  std::to_string(Count(stats.Out, "program_size")) + "\tProgram",
              lines[0]);
    int previousDepth = 0;
    for (const std::string& text : lines) {
        // depth, class, layout box, screen box, area, name
        std::vector<std::string> fields = Split(text, '\t');
        ASSERT_GE(fields.size(), 5u) << text;
        int depth = std::stoi(fields[0]);
        EXPECT_EQ(std::to_string(depth), fields[0]);
        EXPECT_LE(depth, previousDepth + 1) << text; // pre-order: one level down at a time
        previousDepth = depth;
        EXPECT_EQ('C', fields[1].front());
        EXPECT_EQ("Rect", fields[1].substr(fields[1].size() - 4));
        for (int box = 2; box <= 3; ++box) {
            std::vector<std::string> numbers = Split(fields[box], ' ');
            ASSERT_EQ(4u, numbers.size()) << text;
            for (const std::string& number : numbers)
                EXPECT_TRUE(IsNumber(number)) << text;
        }
        EXPECT_TRUE(IsNumber(fields[4])) << text;
    }
    EXPECT_EQ("1\tCGrpFileRect\t", lines[1].substr(0, 15));
}

TEST(CommandLineTool, FindDescribesEveryMatch) {
    CTempDir dir;
    Result find = RunTool("find " + Fixture("vector") + " vector");
    ASSERT_EQ(0, find.Status) << find.Err;
    std::vector<std::string> lines = Lines(find.Out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("found: " + std::to_string((lines.size() - 1) / 2), lines.back());
    Result none = RunTool("find " + Fixture("vector") + " NoSuchNameAnywhere");
    EXPECT_EQ("found: 0\n", none.Out);
}

TEST(CommandLineTool, FailuresAndUsage) {
    CTempDir dir;
    dir.WriteFile("other.xml", "<other/>");
    Result failed = RunTool("stats other.xml");
    EXPECT_EQ(1, failed.Status);
    EXPECT_EQ("Could not load file\n", failed.Err);
    EXPECT_NE(std::string::npos, dir.ReadFile("log.txt").find("start logging"));

    Result missing = RunTool("dump missing.xml --log other.log");
    EXPECT_EQ(1, missing.Status);
    EXPECT_EQ("Could not load file\n", missing.Err);
    EXPECT_NE(
        std::string::npos,
        dir.ReadFile("other.log").find("[error] Could not open file: Could not open Xml file"));

    EXPECT_EQ(2, RunTool("").Status);
    EXPECT_EQ(2, RunTool("frobnicate x.xml").Status);
    EXPECT_EQ(2, RunTool("find x.xml").Status);
    EXPECT_EQ(2, RunTool("stats x.xml --bogus").Status);
    EXPECT_EQ(2, RunTool("stats x.xml --log").Status);
    Result help = RunTool("--help");
    EXPECT_EQ(0, help.Status);
    EXPECT_NE(std::string::npos, help.Out.find("Usage: quarncode-cli"));
}

TEST(CommandLineTool, RenderWritesAPngOfTheRequestedSize) {
    CTempDir dir;
    Result render =
        RunTool("render " + Fixture("iostream") + " -o tree.png --width 320 --height 200");
    ASSERT_EQ(0, render.Status) << render.Err;
    std::string png = dir.ReadFile("tree.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ("\x89PNG\r\n\x1a\n", png.substr(0, 8));
    auto bigEndian = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(320u, bigEndian(16)); // IHDR width
    EXPECT_EQ(200u, bigEndian(20)); // IHDR height

    EXPECT_EQ(2, RunTool("render " + Fixture("iostream")).Status); // no -o
    EXPECT_EQ(2, RunTool("render x.xml -o x.png --shader toon").Status);
    EXPECT_EQ(2, RunTool("render x.xml -o x.png --width 0").Status);
    EXPECT_EQ(2, RunTool("stats x.xml -o x.png").Status);
    Result unwritable = RunTool("render " + Fixture("iostream") + " -o no/such/dir/x.png");
    EXPECT_EQ(1, unwritable.Status);

    // Without the fragment-program extension the tool cannot draw.
    Result noExtension = RunTool("render " + Fixture("iostream") + " -o x.png",
                                 "MESA_EXTENSION_OVERRIDE=\"-GL_ARB_fragment_program "
                                 "-GL_ARB_fragment_program_shadow\"");
    EXPECT_EQ(1, noExtension.Status);
    EXPECT_EQ("Opengl initialization failed: Could not load the 'ARB fragment program' "
              "extension\n",
              noExtension.Err);
    EXPECT_NE(std::string::npos,
              dir.ReadFile("log.txt").find("[error] Opengl initialization failed: Could not load "
                                           "the 'ARB fragment program' extension\n"));
}
