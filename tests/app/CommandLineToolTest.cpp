#include "support/CTempDir.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <png.h>
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

// The pixels of a PNG file, 4 bytes (RGBA) per pixel, rows from the top; empty when the file
// cannot be read.
std::vector<unsigned char> ReadPng(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

// The screen box (x1 y1 x2 y2) of the first rectangle of class className named name in a
// dump of an 800 pixel wide canvas.
std::vector<float> ScreenBox(const std::string& dump, const std::string& className,
                             const std::string& name) {
    for (const std::string& line : Lines(dump)) {
        std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() >= 6 && fields[1] == className && fields[5] == name) {
            std::vector<float> box;
            for (const std::string& number : Split(fields[3], ' '))
                box.push_back(std::stof(number));
            return box;
        }
    }
    return {};
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

    // A fundamental type the sizing does not know: the half-sized program is released.
    dir.WriteFile("odd.xml", "<?xml version=\"1.0\"?>\n<GCC_XML>\n"
                             "  <Namespace id=\"_1\" name=\"::\"/>\n"
                             "  <File id=\"f0\" name=\"a.h\"/>\n"
                             "  <FundamentalType id=\"_2\" name=\"_Float16x\"/>\n</GCC_XML>\n");
    Result odd = RunTool("stats odd.xml");
    EXPECT_EQ(1, odd.Status);
    EXPECT_EQ("Could not init basic type, check the log file for details\n", odd.Err);

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
    EXPECT_EQ(2, RunTool("stats x.xml --select Name").Status);
    EXPECT_EQ(2, RunTool("render x.xml -o x.png --select").Status);
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

TEST(CommandLineTool, RenderDrawsTheSelectionWithItsClassRelationsOverTheTree) {
    CTempDir dir;
    const std::string relations = Fixture("relations");
    ASSERT_EQ(0, RunTool("render " + relations + " -o plain.png").Status);
    // A name that matches nothing draws no overlay: the image is the tree alone.
    Result none = RunTool("render " + relations + " -o none.png --select NoSuchName");
    ASSERT_EQ(0, none.Status);
    EXPECT_EQ("quarncode-cli: nothing named NoSuchName to select\n", none.Err);
    EXPECT_EQ(dir.ReadFile("plain.png"), dir.ReadFile("none.png"));

    Result selected = RunTool("render " + relations + " -o selected.png --select Rectangle");
    ASSERT_EQ(0, selected.Status) << selected.Err;
    int width = 0, height = 0;
    std::vector<unsigned char> plain = ReadPng("plain.png", width, height);
    std::vector<unsigned char> image = ReadPng("selected.png", width, height);
    ASSERT_EQ(800, width);
    ASSERT_EQ(600, height);
    ASSERT_EQ(plain.size(), image.size());
    auto pixel = [&](const std::vector<unsigned char>& pixels, float x, float y) {
        int px = static_cast<int>((x + 1) / 2 * width);
        int py = static_cast<int>((1 - y) / 2 * height);
        const unsigned char* p = &pixels[(py * width + px) * 4];
        return std::vector<int>{p[0], p[1], p[2]};
    };

    // The class's frame is red, and a red arrow runs from its centre towards its base class.
    Result dump = RunTool("dump " + relations);
    std::vector<float> rectangle = ScreenBox(dump.Out, "CClassRect", "Rectangle");
    std::vector<float> shape = ScreenBox(dump.Out, "CClassRect", "Shape");
    ASSERT_EQ(4u, rectangle.size());
    ASSERT_EQ(4u, shape.size());
    float middle = (rectangle[0] + rectangle[2]) / 2;
    std::vector<int> frame = pixel(image, middle, rectangle[3] - 0.005f);
    EXPECT_GT(frame[0], 200);
    EXPECT_LT(frame[1] + frame[2], 30);
    EXPECT_NE(frame, pixel(plain, middle, rectangle[3] - 0.005f));
    float sx = middle, sy = (rectangle[1] + rectangle[3]) / 2;
    float ex = std::clamp(sx, shape[0], shape[2]), ey = std::clamp(sy, shape[1], shape[3]);
    EXPECT_EQ((std::vector<int>{255, 0, 0}), pixel(image, sx + (ex - sx) / 3, sy + (ey - sy) / 3));
}
