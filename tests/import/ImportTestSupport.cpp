#include "ImportTestSupport.h"

#include "app/CAppContext.h"
#include "import/CGccXmlReader.h"
#include "model/CType.h"

#include <sstream>

void CRecordingProgress::SetMessage(const char* text) {
    Events.push_back(std::string("message:") + text);
}

void CRecordingProgress::SetValue(int value) {
    Value = value;
    Events.push_back("value:" + std::to_string(value));
}

std::vector<int> CRecordingProgress::ValuesAfter(const std::string& message) const {
    std::vector<int> values;
    bool inside = false;
    for (const std::string& event : Events) {
        if (event.rfind("message:", 0) == 0)
            inside = event == "message:" + message;
        else if (inside && event.rfind("value:", 0) == 0)
            values.push_back(std::stoi(event.substr(6)));
    }
    return values;
}

std::vector<std::string> CRecordingProgress::Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : Events) {
        if (event.rfind("message:", 0) == 0)
            messages.push_back(event.substr(8));
    }
    return messages;
}

ImportTest::ImportTest() : Program(std::make_unique<CProgram>()) {
    Log.Open("log.txt");
    CAppContext::SetLog(&Log);
}

ImportTest::~ImportTest() {
    CAppContext::SetLog(nullptr);
}

bool ImportTest::Load(const std::string& fileName, IProgress* progress) {
    Program = std::make_unique<CProgram>();
    CGccXmlReader reader(fileName, Program.get(), progress);
    return reader.Load();
}

bool ImportTest::LoadBody(const std::string& body, IProgress* progress) {
    Dir.WriteFile("input.xml", GccXml(body));
    return Load("input.xml", progress);
}

std::vector<std::string> ImportTest::LogLines() const {
    std::vector<std::string> lines;
    std::istringstream in(Dir.ReadFile("log.txt"));
    std::string line;
    std::getline(in, line); // "start logging: opening log file"
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool ImportTest::ProgramIsEmpty() const {
    return Program->Namespaces.empty() && Program->SourceFiles.empty() && Program->Elements.empty();
}

std::string GccXml(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<GCC_XML>\n" + body + "</GCC_XML>\n";
}

CNamespace* ChildNamespace(const std::vector<CNamespace*>& list, const std::string& name) {
    for (CNamespace* ns : list) {
        if (ns->GetName() == name)
            return ns;
    }
    ADD_FAILURE() << "no namespace " << name;
    return nullptr;
}

CClassType* ClassIn(const CPEContainer* scope, const std::string& name) {
    for (CType* type : scope->Types) {
        auto* cls = dynamic_cast<CClassType*>(type);
        if (cls != nullptr && cls->GetName() == name)
            return cls;
    }
    ADD_FAILURE() << "no class " << name << " in " << scope->GetName();
    return nullptr;
}

CFunction* FunctionIn(const CPEContainer* scope, const std::string& name) {
    std::vector<CFunction*> found = FunctionsIn(scope, name);
    if (found.empty()) {
        ADD_FAILURE() << "no function " << name << " in " << scope->GetName();
        return nullptr;
    }
    return found.front();
}

CField* FieldIn(const CPEContainer* scope, const std::string& name) {
    for (CField* field : scope->Fields) {
        if (field->GetName() == name)
            return field;
    }
    ADD_FAILURE() << "no field " << name << " in " << scope->GetName();
    return nullptr;
}

std::vector<CFunction*> FunctionsIn(const CPEContainer* scope, const std::string& name) {
    std::vector<CFunction*> found;
    for (CFunction* function : scope->Functions) {
        if (function->GetName() == name)
            found.push_back(function);
    }
    return found;
}

std::vector<std::string> ArgumentNames(const CFunction* function) {
    std::vector<std::string> names;
    for (CType* type : function->Arguments)
        names.push_back(type != nullptr ? type->GetName() : std::string());
    return names;
}
