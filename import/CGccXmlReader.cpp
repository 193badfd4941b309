#include "import/CGccXmlReader.h"

#include "base/CError.h"
#include "base/CLogFile.h"
#include "base/StringPrintf.h"
#include "import/CCompilationDatabase.h"
#include "import/CDatabaseCompiler.h"
#include "import/CFrontEndRunner.h"
#include "import/CGccXmlParser.h"
#include "import/CXmlTextReader.h"
#include "import/IProgress.h"
#include "model/CProgram.h"

#include <sys/stat.h>

namespace {

// Size of a file in bytes; 0 when it cannot be read.
std::uint64_t SizeOfFile(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || status.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

} // namespace

CGccXmlReader::CGccXmlReader(std::string fileName, CLogFile& log, IProgress* progress,
                             CommandRunner runner, CFrontEndSettings frontEnd)
    : FileName(std::move(fileName)), Log(log), Progress(progress), Runner(std::move(runner)),
      FrontEnd(std::move(frontEnd)) {}

std::unique_ptr<CProgram> CGccXmlReader::Load() {
    Notice.clear();
    if (CCompilationDatabase::IsDatabase(FileName)) {
        // The compiler keeps the cache locked until the merged document has been read.
        CDatabaseCompiler compiler(Log, Progress, FrontEnd);
        std::string merged = compiler.Compile(FileName, Notice);
        CXmlTextReader xml(merged); // throws "Could not open Xml file"
        if (xml.Read() < 0 || xml.GetName() != "GCC_XML") {
            Log.Error("Error loading file",
                      StringPrintf("Read error on line number %i", xml.CurrentLine()));
            return nullptr;
        }
        return CGccXmlParser(xml, SizeOfFile(merged), Log, Progress).Parse();
    }
    std::unique_ptr<CXmlTextReader> xml;
    try {
        xml = std::make_unique<CXmlTextReader>(FileName);
    } catch (const CError& error) {
        Log.Error("Could not open file", error.what());
        return nullptr;
    }
    if (!xml->Restart()) {
        Log.Error("Could not open file", "Could not open Xml file");
        return nullptr;
    }
    if (xml->Read() < 0) { // not well-formed (or not XML) where reading began
        Log.Error("Error loading file",
                  StringPrintf("Read error on line number %i", xml->CurrentLine()));
        return nullptr;
    }
    std::string root = xml->GetName();
    if (root == "project") {
        if (Progress != nullptr)
            Progress->SetMessage("Compiling project");
        std::string output;
        if (!CFrontEndRunner(Log, Runner).Compile(FileName, output))
            return nullptr;
        xml.reset();
        CXmlTextReader compiled(output); // throws "Could not open Xml file"
        if (Progress != nullptr) {
            Progress->SetValue(30);
            Progress->Refresh();
        }
        return CGccXmlParser(compiled, SizeOfFile(output), Log, Progress).Parse();
    }
    if (root == "GCC_XML")
        return CGccXmlParser(*xml, SizeOfFile(FileName), Log, Progress).Parse();
    return nullptr;
}
