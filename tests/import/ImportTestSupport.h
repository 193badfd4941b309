#pragma once

#include "app/CLogFile.h"
#include "import/IProgress.h"
#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Records what a load reports: "message:<text>", "value:<n>" and "refresh", in order.
class CRecordingProgress : public IProgress {
public:
    void SetMessage(const char* text) override;
    int GetValue() const override { return Value; }
    void SetValue(int value) override;
    void Refresh() override { Events.push_back("refresh"); }

    // The gauge values set after the message text was shown, up to the next message.
    std::vector<int> ValuesAfter(const std::string& message) const;
    // The messages, in order.
    std::vector<std::string> Messages() const;

    std::vector<std::string> Events;
    int Value = 0;
};

// A test in a fresh working directory with a log file installed: loads files into a program
// and reads back the log's entries.
class ImportTest : public testing::Test {
protected:
    ImportTest();
    ~ImportTest() override;

    // Loads a file with a fresh reader into Program (replacing the previous one).
    bool Load(const std::string& fileName, IProgress* progress = nullptr);
    // Writes a front-end document whose root holds body (body starts on line 3) and loads it.
    bool LoadBody(const std::string& body, IProgress* progress = nullptr);
    // The log's lines written since the test began (without the opening line).
    std::vector<std::string> LogLines() const;
    // True when the program holds no element at all.
    bool ProgramIsEmpty() const;

    CTempDir Dir;
    CLogFile Log;
    std::unique_ptr<CProgram> Program;
};

// A front-end document whose root element holds body; body starts on line 3.
std::string GccXml(const std::string& body);

// Lookups in a loaded model; each fails the test (and returns null) when nothing matches.
CNamespace* ChildNamespace(const std::vector<CNamespace*>& list, const std::string& name);
CClassType* ClassIn(const CPEContainer* scope, const std::string& name);
CFunction* FunctionIn(const CPEContainer* scope, const std::string& name);
CField* FieldIn(const CPEContainer* scope, const std::string& name);
// Every function of the scope with that name, in order.
std::vector<CFunction*> FunctionsIn(const CPEContainer* scope, const std::string& name);
// The spelled names of a function's argument types ("" for an unresolved one).
std::vector<std::string> ArgumentNames(const CFunction* function);
