#include "import/CFrontEndRunner.h"

#include "base/CLogFile.h"
#include "base/CXmlDocument.h"

#include <sstream>
#include <vector>

namespace {

// The text of the first node an XPath expression selects; false when it selects nothing.
bool FirstText(CXmlDocument& document, const char* xpath, std::string& text) {
    std::unique_ptr<CXPathResult> result = document.Evaluate(xpath);
    if (!result || result->GetCount() <= 0)
        return false;
    text = result->GetText(0);
    return true;
}

} // namespace

CFrontEndRunner::CFrontEndRunner(CLogFile& log, CommandRunner runner)
    : Log(log), Runner(std::move(runner)) {}

bool CFrontEndRunner::Compile(const std::string& projectFile, std::string& output) {
    CXmlDocument project(projectFile);     // throws CXmlParseError
    std::vector<std::string> arguments(1); // the first becomes the output option
    if (std::unique_ptr<CXPathResult> options = project.Evaluate("/project/options/*/@arg")) {
        for (int i = 0; i < options->GetCount(); ++i)
            arguments.push_back(options->GetText(i));
    }
    std::string gccxml;
    if (!FirstText(project, "/project/settings/@gccxml_path", gccxml)) {
        Report = "The project file does not have a path to gccxml defined";
        Log.Error("Error loading project file", Report);
        return false;
    }
    if (!FirstText(project, "/project/settings/@output_file", output)) {
        Report = "The project file does not have an output file defined";
        Log.Error("Error loading project file", Report);
        return false;
    }
    arguments[0] = "-fxml=" + output;
    Record(gccxml, Runner(gccxml, arguments));
    return true;
}

void CFrontEndRunner::Record(const std::string& frontEnd, const CommandResult& result) {
    std::vector<std::string> lines;
    std::istringstream output(result.Output);
    for (std::string line; std::getline(output, line);) {
        Log.Write(frontEnd, line, "front end");
        lines.push_back(line);
    }
    if (!result.StartError.empty()) {
        Report = "The front end \"" + frontEnd +
                 "\" named in the project could not be started: " + result.StartError;
        Log.Error("Could not start the front end", frontEnd + ": " + result.StartError);
        return;
    }
    std::string ending = result.Status >= 0
                             ? "ended with exit status " + std::to_string(result.Status)
                             : std::string("did not end normally");
    Log.Write(frontEnd, ending, "front end");
    Report = "The front end \"" + frontEnd + "\" " + ending;
    if (lines.empty())
        return;
    Report += ". The last lines it wrote:";
    size_t first = lines.size() > ReportedLines ? lines.size() - ReportedLines : 0;
    for (size_t i = first; i < lines.size(); ++i)
        Report += "\n" + lines[i];
}
