#include "cli/CCommandLine.h"

#include <cerrno>
#include <cstdlib>

namespace {

int ParseSize(const std::string& option, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 1 || value > 16384)
        throw CCommandLine::UsageError(option + " needs a whole number from 1 to 16384");
    return static_cast<int>(value);
}

} // namespace

const char* CCommandLine::Usage() {
    return "Usage: quarncode-cli COMMAND FILE [ARGUMENTS] [OPTIONS]\n"
           "\n"
           "Loads FILE (a project file, which is compiled with its front end first; a\n"
           "compilation database, compile_commands.json, whose files are compiled and merged\n"
           "into one program; or front-end output in GCC-XML format) as the desktop program's\n"
           "Open does, then:\n"
           "\n"
           "  stats FILE               prints the numbers of namespaces, classes, functions,\n"
           "                           fields, typedefs, enumerations, types and files, and the\n"
           "                           program's size, lines and file bytes\n"
           "  dump FILE                lays the program out for an 800 by 800 canvas and prints\n"
           "                           one line per rectangle: depth, class, layout box, screen\n"
           "                           box, area and name\n"
           "  find FILE NAME           lays the program out as dump does, finds every element\n"
           "                           named NAME and prints the description of each; NAME\n"
           "                           may be qualified by the innermost enclosing namespaces\n"
           "                           and classes (geo::Shape::Area), and a leading :: ties\n"
           "                           it to the global namespace\n"
           "      --substring          names that contain NAME's last part match too\n"
           "      --ignore-case        letters match in either case, in every part\n"
           "  render FILE -o OUT.png   draws the treemap offscreen as the desktop program's\n"
           "                           first paint shows it and writes it as a PNG\n"
           "      --width W            image width in pixels (default 800)\n"
           "      --height H           image height in pixels (default 600)\n"
           "      --shader S           normal, specular or debug (default normal)\n"
           "      --select NAME        selects every element named NAME as the Find command\n"
           "                           does and draws the selection over the tree: lit\n"
           "                           rectangles, red frames, class relations (repeatable)\n"
           "      --labels             draws the names of the rectangles as the desktop\n"
           "                           program does, at the settings' label size\n"
           "\n"
           "Options of every command:\n"
           "  --settings FILE          settings to use (default settings.cfg; defaults when it\n"
           "                           does not exist)\n"
           "  --log FILE               log file to write (default log.txt)\n"
           "  --timings                prints the duration of each phase to standard error\n"
           "  --jobs N                 front-end runs at once for a compilation database\n"
           "                           (default: the setting, 0 = one per processor core)\n"
           "  --query-driver GLOB      lets the front end run the compilers whose path matches\n"
           "                           GLOB (as gcc and clang in /usr/bin and /usr/local/bin\n"
           "                           are); repeatable, or globs separated by commas\n"
           "  --scope project|all      project: only the declarations in the project's own\n"
           "                           files (under the directories of the database, of the\n"
           "                           project file, of the sources and of their -I and\n"
           "                           -iquote options); all: everything. Default: project for\n"
           "                           a compilation database and for a project file whose\n"
           "                           settings say scope=\"project\", all otherwise\n"
           "  --help                   prints this text\n"
           "\n"
           "Exit status: 0 on success, 1 when the file cannot be loaded or drawn, 2 on a usage\n"
           "error.\n";
}

CCommandLine CCommandLine::Parse(int argc, char** argv) {
    CCommandLine line;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw UsageError(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            line.Help = true;
        } else if (arg == "--substring") {
            line.Substring = true;
        } else if (arg == "--ignore-case") {
            line.IgnoreCase = true;
        } else if (arg == "--timings") {
            line.Timings = true;
        } else if (arg == "--settings") {
            line.SettingsFile = value();
        } else if (arg == "--log") {
            line.LogFile = value();
        } else if (arg == "-o" || arg == "--output") {
            line.Output = value();
        } else if (arg == "--width") {
            line.Width = ParseSize(arg, value());
        } else if (arg == "--height") {
            line.Height = ParseSize(arg, value());
        } else if (arg == "--jobs") {
            std::string text = value();
            char* end = nullptr;
            errno = 0;
            long jobs = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || errno != 0 || jobs < 0 || jobs > 1024)
                throw UsageError("--jobs needs a whole number from 0 to 1024");
            line.Jobs = static_cast<int>(jobs);
        } else if (arg == "--query-driver") {
            std::string globs = value();
            std::string::size_type start = 0;
            while (start <= globs.size()) {
                std::string::size_type comma = globs.find(',', start);
                if (comma == std::string::npos)
                    comma = globs.size();
                if (comma > start)
                    line.QueryDrivers.push_back(globs.substr(start, comma - start));
                start = comma + 1;
            }
        } else if (arg == "--scope") {
            std::string scope = value();
            if (scope != "project" && scope != "all")
                throw UsageError("--scope takes project or all");
            line.Scope = scope == "project" ? EScope::Project : EScope::All;
        } else if (arg == "--labels") {
            line.Labels = true;
        } else if (arg == "--select") {
            line.Selections.push_back(value());
        } else if (arg == "--shader") {
            line.Shader = value();
            if (line.Shader != "normal" && line.Shader != "specular" && line.Shader != "debug")
                throw UsageError("--shader takes normal, specular or debug");
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (line.Help)
        return line;
    if (positional.empty())
        throw UsageError("no command given");
    line.Command = positional[0];
    size_t expected;
    if (line.Command == "stats" || line.Command == "dump" || line.Command == "render")
        expected = 2;
    else if (line.Command == "find")
        expected = 3;
    else
        throw UsageError("unknown command " + line.Command);
    if (positional.size() != expected)
        throw UsageError("wrong number of arguments for " + line.Command);
    line.File = positional[1];
    if (line.Command == "find")
        line.Name = positional[2];
    if (line.Command == "render" && line.Output.empty())
        throw UsageError("render needs -o OUT.png");
    bool renderOptions = !line.Output.empty() || !line.Selections.empty() || line.Width != 800 ||
                         line.Height != 600 || line.Shader != "normal";
    if (line.Command != "render" && renderOptions)
        throw UsageError("-o, --width, --height, --shader and --select belong to render");
    if (line.Command != "find" && (line.Substring || line.IgnoreCase))
        throw UsageError("--substring and --ignore-case belong to find");
    if (line.Command != "render" && line.Labels)
        throw UsageError("--labels belongs to render");
    return line;
}
