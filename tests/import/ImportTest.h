#pragma once

#include "base/CError.h"
#include "base/CLogFile.h"
#include "import/CGccXmlReader.h"
#include "model/CClassType.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"
#include "support/CRecordingProgress.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// A front-end document whose root element holds body; body starts on line 3.
inline std::string GccXml(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<GCC_XML>\n" + body + "</GCC_XML>\n";
}

// A test in a fresh working directory with a log: reads files with the reader, its front end
// run as a process.
class ImportTest : public testing::Test {
protected:
    ImportTest() { Log.Open("log.txt"); }

    // Reads a file into Program (null when the read failed).
    bool Load(const std::string& fileName, IProgress* progress = nullptr) {
        Program = CGccXmlReader(fileName, Log, progress, RunCommand).Load();
        return Program != nullptr;
    }
    // Writes a front-end document whose root holds body and reads it.
    bool LoadBody(const std::string& body, IProgress* progress = nullptr) {
        Dir.WriteFile("input.xml", GccXml(body));
        return Load("input.xml", progress);
    }
    // The log's entries since the test began.
    Lines LogLines() const { return ::LogLines(Dir.Path() + "/log.txt"); }

    CTempDir Dir;
    CLogFile Log;
    std::unique_ptr<CProgram> Program;
};
