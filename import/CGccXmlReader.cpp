#include "import/CGccXmlReader.h"

#include "base/CError.h"
#include "base/CLogFile.h"
#include "base/CXmlDocument.h"
#include "base/StringPrintf.h"
#include "import/CCompilationDatabase.h"
#include "import/CDatabaseCompiler.h"
#include "import/CFrontEndRunner.h"
#include "import/CGccXmlParser.h"
#include "import/CXmlTextReader.h"
#include "import/IProgress.h"
#include "model/CProgram.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// Size of a file in bytes; 0 when it cannot be read.
std::uint64_t SizeOfFile(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || status.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

// Why a file that libxml2 could not open cannot be read: the system's reason when it cannot be
// opened at all.
std::string OpenFailure(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::strerror(errno);
    std::fclose(file);
    return "The file cannot be read";
}

// Why reading stopped at the start of the document: an empty file, the parser's error, else
// the line.
std::string ReadFailure(CXmlTextReader& xml) {
    if (SizeOfFile(xml.GetFileName()) == 0)
        return "The file is empty";
    if (!xml.GetError().empty())
        return xml.GetError();
    return StringPrintf("Read error on line number %i", xml.CurrentLine());
}

} // namespace

CGccXmlReader::CGccXmlReader(std::string fileName, CLogFile& log, IProgress* progress,
                             CommandRunner runner, CFrontEndSettings frontEnd)
    : FileName(std::move(fileName)), Log(log), Progress(progress), Runner(std::move(runner)),
      FrontEnd(std::move(frontEnd)) {}

std::unique_ptr<CProgram> CGccXmlReader::Load() {
    Cause = "File: " + FileName;
    Notice.clear();
    if (CCompilationDatabase::IsDatabase(FileName)) {
        // The compiler keeps the cache locked until the merged document has been read.
        CDatabaseCompiler compiler(Log, Progress, FrontEnd);
        std::string merged = compiler.Compile(FileName, Notice);
        CXmlTextReader xml(merged); // throws "Could not open Xml file"
        if (xml.Read() < 0 || xml.GetName() != "GCC_XML") {
            Log.Error("Error loading file",
                      StringPrintf("Read error on line number %i", xml.CurrentLine()));
            Cause += "\nThe merged front-end output " + merged + " cannot be read";
            return nullptr;
        }
        return Parse(xml, merged);
    }
    std::unique_ptr<CXmlTextReader> xml;
    try {
        xml = std::make_unique<CXmlTextReader>(FileName);
    } catch (const CError& error) {
        Log.Error("Could not open file", error.what());
        Cause += "\n" + OpenFailure(FileName);
        return nullptr;
    }
    if (!xml->Restart()) {
        Log.Error("Could not open file", "Could not open Xml file");
        Cause += "\n" + OpenFailure(FileName);
        return nullptr;
    }
    if (xml->Read() < 0) { // not well-formed (or not XML) where reading began
        Log.Error("Error loading file",
                  StringPrintf("Read error on line number %i", xml->CurrentLine()));
        Cause += "\n" + ReadFailure(*xml);
        return nullptr;
    }
    std::string root = xml->GetName();
    if (root == "project")
        return LoadProject(std::move(xml));
    if (root == "GCC_XML")
        return Parse(*xml, FileName);
    Cause += "\nThe document starts with <" + root +
             ">, not with <GCC_XML> (front-end output) or <project>";
    return nullptr;
}

std::unique_ptr<CProgram> CGccXmlReader::LoadProject(std::unique_ptr<CXmlTextReader> xml) {
    if (Progress != nullptr)
        Progress->SetMessage("Compiling project");
    std::string output;
    CFrontEndRunner frontEnd(Log, Runner);
    bool compiled = false;
    try {
        compiled = frontEnd.Compile(FileName, output);
    } catch (const CXmlParseError& error) {
        throw CError(std::string(error.what()) + "\n" + Cause +
                     (error.Detail.empty() ? "" : "\n" + error.Detail));
    }
    if (!compiled) {
        Cause += "\n" + frontEnd.GetReport();
        return nullptr;
    }
    xml.reset();
    Cause = "File: " + output + ", the front-end output of " + FileName;
    std::unique_ptr<CXmlTextReader> compiledXml;
    try {
        compiledXml = std::make_unique<CXmlTextReader>(output);
    } catch (const CError& error) {
        throw CError(std::string(error.what()) + "\n" + Cause + "\n" + frontEnd.GetReport());
    }
    if (Progress != nullptr) {
        Progress->SetValue(30);
        Progress->Refresh();
    }
    std::unique_ptr<CProgram> program = Parse(*compiledXml, output);
    if (program == nullptr)
        Cause += "\n" + frontEnd.GetReport();
    return program;
}

std::unique_ptr<CProgram> CGccXmlReader::Parse(CXmlTextReader& xml, const std::string& file) {
    CGccXmlParser parser(xml, SizeOfFile(file), Log, Progress);
    std::unique_ptr<CProgram> program = parser.Parse();
    if (program == nullptr)
        Cause += "\n" + parser.GetFailure();
    return program;
}
