#include "import/CFrontEndRunner.h"

#include "base/CLogFile.h"
#include "base/CXmlDocument.h"

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
    CXmlDocument project(projectFile);     // throws "Invalid file or xml document"
    std::vector<std::string> arguments(1); // the first becomes the output option
    if (std::unique_ptr<CXPathResult> options = project.Evaluate("/project/options/*/@arg")) {
        for (int i = 0; i < options->GetCount(); ++i)
            arguments.push_back(options->GetText(i));
    }
    std::string gccxml;
    if (!FirstText(project, "/project/settings/@gccxml_path", gccxml)) {
        Log.Error("Error loading project file",
                  "The project file does not have a path to gccxml defined");
        return false;
    }
    if (!FirstText(project, "/project/settings/@output_file", output)) {
        Log.Error("Error loading project file",
                  "The project file does not have an output file defined");
        return false;
    }
    arguments[0] = "-fxml=" + output;
    Runner(gccxml, arguments);
    return true;
}
