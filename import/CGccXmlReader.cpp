#include "import/CGccXmlReader.h"

#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "import/CXmlTextReader.h"
#include "import/IProgress.h"
#include "import/IdParsing.h"
#include "import/RunCommand.h"
#include "model/CAliasType.h"
#include "model/CBasicType.h"
#include "model/CClassType.h"
#include "model/CEnumType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/COpaqueType.h"
#include "model/CProgram.h"
#include "model/CReferenceType.h"
#include "model/CSourceFile.h"
#include "model/NestingDepth.h"
#include "settings/CXmlDocument.h"
#include "settings/StringPrintf.h"
#include "settings/XmlAttributes.h"

#include <algorithm>
#include <sys/stat.h>
#include <unordered_map>

namespace {

// What the reader does with an element, by its tag.
enum class NodeKind {
    Namespace,
    Function,       // a free function: its context must be a namespace
    MemberFunction, // methods, operators and converters: context a namespace or a class
    Structor,       // constructors and destructors: context a class, no return type
    Class,          // classes, structs and unions
    Field,          // data members and variables
    Typedef,
    Enumeration,
    Derived,      // pointer, reference, array and pointer-to-member types
    FunctionType, // function and method types: derived from their return type
    Fundamental,
    CvQualified,
    File,
    Unimplemented,
    Unknown,
};

NodeKind KindOfTag(const std::string& tag) {
    static const std::unordered_map<std::string, NodeKind> kinds = {
        {"Namespace", NodeKind::Namespace},
        {"Function", NodeKind::Function},
        {"Class", NodeKind::Class},
        {"Converter", NodeKind::MemberFunction},
        {"Field", NodeKind::Field},
        {"Method", NodeKind::MemberFunction},
        {"Constructor", NodeKind::Structor},
        {"Destructor", NodeKind::Structor},
        {"FunctionType", NodeKind::FunctionType},
        {"MethodType", NodeKind::FunctionType},
        {"FundamentalType", NodeKind::Fundamental},
        {"ReferenceType", NodeKind::Derived},
        {"PointerType", NodeKind::Derived},
        {"ArrayType", NodeKind::Derived},
        {"OffsetType", NodeKind::Derived},
        {"CvQualifiedType", NodeKind::CvQualified},
        {"File", NodeKind::File},
        {"OperatorMethod", NodeKind::MemberFunction},
        {"OperatorFunction", NodeKind::MemberFunction},
        {"Variable", NodeKind::Field},
        {"Struct", NodeKind::Class},
        {"Union", NodeKind::Class},
        {"Typedef", NodeKind::Typedef},
        {"Enumeration", NodeKind::Enumeration},
        {"Unimplemented", NodeKind::Unimplemented},
    };
    auto found = kinds.find(tag);
    return found != kinds.end() ? found->second : NodeKind::Unknown;
}

std::string TagOf(xmlNodePtr node) {
    return node->name != nullptr ? reinterpret_cast<const char*>(node->name) : std::string();
}

// True when the attribute is present; its text (or an empty text) goes to value.
bool Read(xmlNodePtr node, const char* name, std::string& value) {
    return GetAttribute(node, name, value) != nullptr;
}

// The text after the first character; empty for an empty text.
std::string AfterFirst(const std::string& text) {
    return text.empty() ? std::string() : text.substr(1);
}

// "private" 1, "protected" 2; "public", an absent attribute and anything else 0.
int AccessOf(const std::string& text) {
    if (text == "private")
        return AccessPrivate;
    if (text == "protected")
        return AccessProtected;
    return AccessPublic;
}

// Fundamental and derived types (and the opaque ones) belong to the program's element list
// from the moment they are created; every other element gets its owner in pass two.
bool IsProgramType(const CProgramElement* element) {
    auto* type = dynamic_cast<const CType*>(element);
    return type != nullptr &&
           (type->GetTypeKind() == TypeKindFundamental || type->GetTypeKind() == TypeKindDerived);
}

// Size of a file in bytes; 0 when it cannot be read.
std::uint64_t SizeOfFile(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || status.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

// The text of the first node an XPath expression selects; false when it selects nothing.
bool FirstText(CXmlDocument& document, const char* xpath, std::string& text) {
    std::unique_ptr<CXPathResult> result = document.Evaluate(xpath);
    if (!result || result->GetCount() <= 0)
        return false;
    text = result->GetText(0);
    return true;
}

// The "Error in xml file" entry: the tag immediately followed by the element's id text.
void LogXmlError(xmlNodePtr node, const std::string& tag) {
    std::string id;
    Read(node, "id", id);
    CAppContext::Log().Error("Error in xml file", tag + id);
}

} // namespace

CGccXmlReader::CGccXmlReader(std::string fileName, CProgram* program, IProgress* progress)
    : FileName(std::move(fileName)), Progress(progress), Program(program) {}

CGccXmlReader::~CGccXmlReader() = default;

bool CGccXmlReader::Load() {
    try {
        Xml = std::make_unique<CXmlTextReader>(FileName);
    } catch (const char* message) {
        CAppContext::Log().Error("Could not open file", message);
        Xml.reset();
        return false;
    }
    if (!Xml->Restart()) {
        CAppContext::Log().Error("Could not open file", "Could not open Xml file");
        return false;
    }
    if (Xml->Read() < 0) { // not well-formed (or not XML) where reading began
        CAppContext::Log().Error("Error loading file",
                                 StringPrintf("Read error on line number %i", Xml->CurrentLine()));
        return false;
    }
    std::string root = Xml->GetName();
    if (root == "project") {
        if (Progress != nullptr)
            Progress->SetMessage("Compiling project");
        return CompileProject();
    }
    if (root == "GCC_XML") {
        MaxIdNumber = SizeOfFile(FileName);
        FileSize = static_cast<std::uint32_t>(MaxIdNumber);
        return Parse();
    }
    return false;
}

bool CGccXmlReader::CompileProject() {
    std::string output;
    {
        CXmlDocument project(FileName);        // throws "Invalid file or xml document"
        std::vector<std::string> arguments(1); // the first becomes the output option
        if (std::unique_ptr<CXPathResult> options = project.Evaluate("/project/options/*/@arg")) {
            for (int i = 0; i < options->GetCount(); ++i)
                arguments.push_back(options->GetText(i));
        }
        std::string gccxml;
        if (!FirstText(project, "/project/settings/@gccxml_path", gccxml)) {
            CAppContext::Log().Error("Error loading project file",
                                     "The project file does not have a path to gccxml defined");
            return false;
        }
        if (!FirstText(project, "/project/settings/@output_file", output)) {
            CAppContext::Log().Error("Error loading project file",
                                     "The project file does not have an output file defined");
            return false;
        }
        arguments[0] = "-fxml=" + output;
        GetCommandRunner()(gccxml, arguments.data(), static_cast<int>(arguments.size()));
    }
    Xml.reset();
    Xml = std::make_unique<CXmlTextReader>(output); // throws "Could not open Xml file"
    MaxIdNumber = SizeOfFile(output);
    FileSize = static_cast<std::uint32_t>(MaxIdNumber);
    if (Progress != nullptr) {
        Progress->SetValue(30);
        Progress->Refresh();
    }
    return Parse();
}

bool CGccXmlReader::Parse() {
    Nodes.clear();
    Files.clear();
    if (!ReadNodes() || !Xml->Restart() || !ConnectNodes()) {
        CAppContext::Log().Error("Error loading file",
                                 StringPrintf("Read error on line number %i", Xml->CurrentLine()));
        DeleteModel();
        return false;
    }
    if (!CheckNesting()) {
        DeleteModel();
        return false;
    }
    return true;
}

bool CGccXmlReader::CheckNesting() {
    if (NestingDepth(*Program) <= MaxNestingDepth)
        return true;
    LogTooDeep();
    return false;
}

void CGccXmlReader::LogTooDeep() {
    CAppContext::Log().Error("Error in xml file",
                             StringPrintf("Nesting deeper than %i levels", MaxNestingDepth));
}

void CGccXmlReader::DeleteModel() {
    // Every scoped element is in Nodes exactly once (an element replaced there was deleted
    // when it was replaced); the program-level types and the files are in the program's lists
    // exactly once. Child lists are emptied before each delete, so no element deletes another.
    for (CProgramElement* element : Nodes) {
        if (element == nullptr || IsProgramType(element))
            continue;
        element->ReleaseChildLists();
        delete element;
    }
    for (CType* type : Program->Elements)
        delete type;
    for (CSourceFile* file : Files)
        delete file;
    Program->ReleaseChildLists();
    Nodes.clear();
    Files.clear();
}

void CGccXmlReader::ReportProgress(int line, float start, float span, float cap) {
    if (Progress == nullptr || line - LastReported <= LineEstimate / 30)
        return;
    LastReported = line;
    // A file of fewer than 100 bytes has no line estimate: the pass is taken as done at once.
    float value = cap;
    if (LineEstimate > 0)
        value = std::min(start + static_cast<float>(line) / static_cast<float>(LineEstimate) * span,
                         cap);
    Progress->SetValue(static_cast<int>(value * 100.0f + 0.5f));
    Progress->Refresh();
}

bool CGccXmlReader::ReadNodes() {
    LineEstimate = static_cast<int>(FileSize / 100);
    LastReported = 0;
    float start = 0.0f;
    if (Progress != nullptr) {
        start = static_cast<float>(Progress->GetValue()) * 0.01f;
        Progress->SetMessage("Reading nodes");
    }
    float span = (1.0f - start) * 0.5f;
    for (int found = Xml->ReadToDepth(1); found != 0; found = Xml->ReadToDepth(1)) {
        xmlNodePtr node = found > 0 ? Xml->Expand() : nullptr;
        if (node == nullptr)
            return false; // not well-formed: the scan stops here
        ReportProgress(CXmlTextReader::LineOf(node), start, span, start + span);
        if (!CreateElement(node)) {
            CAppContext::Log().Error("Error in xml file", "Could not create element");
            return false;
        }
    }
    return true;
}

bool CGccXmlReader::CreateElement(xmlNodePtr node) {
    std::string tag = TagOf(node);
    std::string idText;
    std::string name;
    Read(node, "id", idText);
    Read(node, "name", name);
    int number = ParseId(idText);
    // A number larger than the file could hold is refused before the id table grows for it.
    bool noNumber = number == 0 && (idText.empty() || idText[0] != 'f');
    if (noNumber || static_cast<std::uint64_t>(number) > MaxIdNumber) {
        CAppContext::Log().Error("Error parsing id number.", "Node on line: ...");
        return false;
    }

    CProgramElement* element = nullptr;
    CType* programType = nullptr;
    switch (KindOfTag(tag)) {
    case NodeKind::Namespace:
        element = new CNamespace(name);
        break;
    case NodeKind::Function:
    case NodeKind::MemberFunction:
    case NodeKind::Structor:
        element = new CFunction(name);
        break;
    case NodeKind::Class:
        element = new CClassType(name);
        break;
    case NodeKind::Field:
        element = new CField(name);
        break;
    case NodeKind::Typedef:
        element = new CAliasType(name);
        break;
    case NodeKind::Enumeration:
        element = new CEnumType(name);
        break;
    case NodeKind::Derived:
    case NodeKind::FunctionType:
        programType = new CReferenceType();
        break;
    case NodeKind::Fundamental:
        programType = new CBasicType(name);
        break;
    case NodeKind::Unimplemented: {
        // Only a type the front end does not spell out becomes an element; templates, static
        // assertions and the like are left out.
        std::string typeClass;
        if (!Read(node, "type_class", typeClass))
            return true;
        programType = new COpaqueType(typeClass);
        break;
    }
    case NodeKind::CvQualified:
        return true; // shares the number of the type it qualifies
    case NodeKind::File: {
        auto* file = new CSourceFile(name, Program);
        Files.push_back(file);
        Program->AddFile(file);
        return true;
    }
    case NodeKind::Unknown:
        CAppContext::Log().Error("Unknown Element Type", tag);
        return false;
    }
    if (programType != nullptr) {
        Program->AddElement(programType);
        element = programType;
    }
    FileNode(number, element);
    return true;
}

void CGccXmlReader::FileNode(int number, CProgramElement* element) {
    auto slot = static_cast<std::size_t>(number);
    if (slot + 1 <= Nodes.size()) {
        CProgramElement* replaced = Nodes[slot];
        if (replaced != nullptr && !IsProgramType(replaced))
            delete replaced; // in no model list yet: nothing else would ever free it
    } else {
        auto size = static_cast<std::size_t>(static_cast<double>(number) * 1.5 + 1.0);
        Nodes.resize(std::max(size, slot + 1), nullptr);
    }
    Nodes[slot] = element;
}

template <class T> T* CGccXmlReader::ResolveNumber(int number) const {
    if (number < 0 || static_cast<std::size_t>(number) >= Nodes.size())
        return nullptr;
    return dynamic_cast<T*>(Nodes[static_cast<std::size_t>(number)]);
}

template <class T> T* CGccXmlReader::Resolve(const std::string& idText) const {
    return ResolveNumber<T>(ParseId(idText));
}

CSourceFile* CGccXmlReader::ResolveFile(const std::string& fileText) const {
    int index = ParseNumber(AfterFirst(fileText));
    if (index < 0 || static_cast<std::size_t>(index) >= Files.size())
        return nullptr;
    return Files[static_cast<std::size_t>(index)];
}

bool CGccXmlReader::TakeOwnership(CProgramElement* element, CPEContainer* context) {
    // Linking gives an element its parent (a scope, or the program for a top-level
    // namespace), so one that has a parent is already in a member list.
    if (element->GetParent() != nullptr)
        return false;
    // The contexts of scopes linked so far form a forest, so this walk ends; refusing the
    // link that would close a loop keeps it one. Nesting only grows as links are added, so a
    // walk that goes deeper than the limit has found a model too deep to accept; stopping it
    // there also keeps the walks short.
    if (auto* scope = dynamic_cast<CPEContainer*>(element)) {
        int depth = 0;
        for (CPEContainer* outer = context; outer != nullptr; outer = outer->GetContext()) {
            if (outer == scope)
                return false;
            if (++depth >= MaxNestingDepth) {
                LogTooDeep();
                return false;
            }
        }
    }
    return true;
}

bool CGccXmlReader::ConnectNodes() {
    LineEstimate = static_cast<int>(FileSize / 100);
    LastReported = 0;
    float start = 0.0f;
    if (Progress != nullptr) {
        start = static_cast<float>(Progress->GetValue()) * 0.01f;
        Progress->SetMessage("Connecting nodes");
    }
    for (int found = Xml->ReadToDepth(1); found != 0; found = Xml->ReadToDepth(1)) {
        xmlNodePtr node = found > 0 ? Xml->Expand() : nullptr;
        if (node == nullptr)
            return false;
        std::string tag = TagOf(node);
        ReportProgress(CXmlTextReader::LineOf(node), start, 1.0f - start, 1.0f);
        if (!LinkNode(node, tag))
            return false;
    }
    return true;
}

bool CGccXmlReader::LinkNode(xmlNodePtr node, const std::string& tag) {
    switch (KindOfTag(tag)) {
    case NodeKind::Function:
    case NodeKind::MemberFunction:
    case NodeKind::Structor:
        return LinkFunction(node, tag);
    case NodeKind::Field:
        return LinkField(node, tag);
    case NodeKind::Typedef:
    case NodeKind::Enumeration:
        return LinkScopedType(node, tag);
    case NodeKind::Derived:
        return LinkDerivedType(node, tag, "type");
    case NodeKind::FunctionType:
        return LinkDerivedType(node, tag, "returns");
    case NodeKind::Class: {
        std::string id;
        Read(node, "id", id);
        auto* self = Resolve<CClassType>(id);
        if (self == nullptr || !LinkClass(node, self, tag)) {
            LogXmlError(node, tag);
            return false;
        }
        return true;
    }
    case NodeKind::Namespace:
        return LinkNamespace(node, tag);
    case NodeKind::CvQualified: {
        std::string id;
        std::string type;
        Read(node, "id", id);
        Read(node, "type", type);
        if (ParseId(id) != ParseId(type)) {
            LogXmlError(node, tag);
            return false;
        }
        return true;
    }
    case NodeKind::Fundamental:
    case NodeKind::File:
    case NodeKind::Unimplemented:
        return true;
    case NodeKind::Unknown: // only when the file changed between the passes
        CAppContext::Log().Error("Unknown Element Type", tag);
        return false;
    }
    return false;
}

std::vector<CType*> CGccXmlReader::ReadArguments(xmlNodePtr node) {
    std::vector<CType*> arguments;
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || TagOf(child) != "Argument")
            continue;
        std::string type;
        if (!Read(child, "type", type))
            break;
        arguments.push_back(Resolve<CType>(type));
    }
    return arguments;
}

bool CGccXmlReader::LinkFunction(xmlNodePtr node, const std::string& tag) {
    NodeKind kind = KindOfTag(tag);
    std::vector<CType*> arguments = ReadArguments(node);
    std::string id, file, line, endLine, returns, context, access;
    bool complete = Read(node, "id", id) && Read(node, "file", file) && Read(node, "line", line);
    if (kind != NodeKind::Structor)
        complete = Read(node, "returns", returns) && complete;
    bool hasContext = Read(node, "context", context);
    if (kind != NodeKind::Function) // a free function's context is not tested, only resolved
        complete = hasContext && complete;
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }

    auto* self = Resolve<CFunction>(id);
    CSourceFile* sourceFile = ResolveFile(file);
    CPEContainer* scope = nullptr;
    CClassType* owner = nullptr;
    CType* returnType = nullptr;
    int accessCode = AccessPublic;
    if (kind == NodeKind::Function) {
        scope = Resolve<CNamespace>(context);
    } else if (kind == NodeKind::Structor) {
        owner = Resolve<CClassType>(context);
        scope = owner;
    } else {
        scope = Resolve<CPEContainer>(context);
        owner = Resolve<CClassType>(context);
        Read(node, "access", access);
        accessCode = AccessOf(access);
    }
    if (kind != NodeKind::Structor)
        returnType = Resolve<CType>(returns);
    if (self == nullptr || scope == nullptr || sourceFile == nullptr ||
        (kind != NodeKind::Structor && returnType == nullptr) || !TakeOwnership(self, scope)) {
        LogXmlError(node, tag);
        return false;
    }

    int first = ParseNumber(line);
    int last = Read(node, "endline", endLine) ? ParseNumber(endLine) : first;
    scope->Functions.push_back(self);
    self->Link(scope, sourceFile, returnType, std::move(arguments), first, last, owner, accessCode);
    return true;
}

bool CGccXmlReader::LinkField(xmlNodePtr node, const std::string& tag) {
    std::string id, file, type, context, access;
    bool complete =
        Read(node, "id", id) && Read(node, "type", type) && Read(node, "context", context);
    // The compiler's built-in records have fields without a file: they get none.
    bool hasFile = Read(node, "file", file);
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }
    auto* self = Resolve<CField>(id);
    auto* scope = Resolve<CPEContainer>(context);
    auto* fieldType = Resolve<CType>(type);
    CSourceFile* sourceFile = hasFile ? ResolveFile(file) : nullptr;
    if (self == nullptr || scope == nullptr || fieldType == nullptr ||
        (hasFile && sourceFile == nullptr))
        return false;
    if (!TakeOwnership(self, scope)) {
        LogXmlError(node, tag);
        return false;
    }
    Read(node, "access", access);
    scope->Fields.push_back(self);
    self->Link(scope, sourceFile, fieldType, AccessOf(access));
    return true;
}

bool CGccXmlReader::LinkScopedType(xmlNodePtr node, const std::string& tag) {
    bool isTypedef = KindOfTag(tag) == NodeKind::Typedef;
    std::string id, file, type, context;
    bool hasFile = Read(node, "file", file);
    bool complete = Read(node, "id", id) && Read(node, "context", context) &&
                    (isTypedef ? Read(node, "type", type) : hasFile);
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }
    auto* scope = Resolve<CPEContainer>(context);
    // A typedef without a file resolves the empty reference: the first File element.
    CSourceFile* sourceFile = ResolveFile(file);
    CAliasType* alias = nullptr;
    CEnumType* enumeration = nullptr;
    CType* aliased = nullptr;
    if (isTypedef) {
        alias = Resolve<CAliasType>(id);
        aliased = ResolveNumber<CType>(ParseNumber(AfterFirst(type)));
    } else {
        enumeration = Resolve<CEnumType>(id);
    }
    CType* self = isTypedef ? static_cast<CType*>(alias) : enumeration;
    if (self == nullptr || scope == nullptr || sourceFile == nullptr ||
        (isTypedef && aliased == nullptr))
        return false;
    if (!TakeOwnership(self, scope)) {
        LogXmlError(node, tag);
        return false;
    }
    scope->AddType(self);
    if (alias != nullptr)
        alias->Link(scope, sourceFile, aliased);
    else
        enumeration->SetContext(scope, sourceFile);
    return true;
}

bool CGccXmlReader::LinkDerivedType(xmlNodePtr node, const std::string& tag,
                                    const char* baseAttribute) {
    std::string id, base;
    if (!Read(node, "id", id) || !Read(node, baseAttribute, base)) {
        LogXmlError(node, tag);
        return false;
    }
    auto* self = Resolve<CReferenceType>(id);
    auto* baseType = Resolve<CType>(base);
    if (self == nullptr || baseType == nullptr)
        return false;
    self->BaseType = baseType;
    return true;
}

bool CGccXmlReader::LinkClass(xmlNodePtr node, CClassType* self, std::string tag) {
    // Anonymous structs and unions have no name: only the context and the file are required.
    std::string context, file, basesText;
    if (!Read(node, "context", context) || !Read(node, "file", file))
        return false;
    Read(node, "bases", basesText);
    std::vector<int> baseNumbers;
    ParseIdList(basesText, baseNumbers);
    std::vector<CClassType*> bases;
    for (int number : baseNumbers) {
        auto* base = ResolveNumber<CClassType>(number);
        if (base == nullptr)
            return false;
        bases.push_back(base);
    }
    auto* scope = Resolve<CPEContainer>(context);
    CSourceFile* sourceFile = ResolveFile(file);
    if (scope == nullptr || sourceFile == nullptr || !TakeOwnership(self, scope))
        return false;
    scope->AddType(self);
    self->Link(scope, sourceFile, std::move(bases), std::move(tag));
    return true;
}

bool CGccXmlReader::LinkNamespace(xmlNodePtr node, const std::string& tag) {
    std::string id, context;
    Read(node, "id", id);
    auto* self = Resolve<CNamespace>(id);
    // A context that is not a namespace puts the namespace at the top level.
    CNamespace* parent = Read(node, "context", context) ? Resolve<CNamespace>(context) : nullptr;
    if (self == nullptr || !TakeOwnership(self, parent)) {
        LogXmlError(node, tag);
        return false;
    }
    if (parent != nullptr)
        parent->Namespaces.push_back(self);
    else
        Program->Namespaces.push_back(self);
    self->SetParent(parent, Program);
    return true;
}
