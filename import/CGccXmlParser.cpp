#include "import/CGccXmlParser.h"

#include "base/CLogFile.h"
#include "base/StringPrintf.h"
#include "base/XmlAttributes.h"
#include "import/CModelBuilder.h"
#include "import/CXmlTextReader.h"
#include "import/IProgress.h"
#include "import/IdParsing.h"
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

#include <algorithm>
#include <unordered_map>

namespace {

// What the parser does with an element, by its tag.
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

// Stores the line of element's declaration when the node gives one.
void ReadLine(xmlNodePtr node, CNsElement& element) {
    std::string line;
    if (Read(node, "line", line))
        element.Line = ParseNumber(line);
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

} // namespace

CGccXmlParser::CGccXmlParser(CXmlTextReader& xml, std::uint64_t fileSize, CLogFile& log,
                             IProgress* progress)
    : Xml(xml), MaxIdNumber(fileSize), FileSize(static_cast<std::uint32_t>(fileSize)), Log(log),
      Progress(progress), Builder(std::make_unique<CModelBuilder>(log)) {}

CGccXmlParser::~CGccXmlParser() = default;

std::unique_ptr<CProgram> CGccXmlParser::Parse() {
    bool linked = ReadNodes() && Xml.Restart() && ConnectNodes();
    FunctionContexts.clear(); // needed by pass two only
    if (!linked) {
        int line = Xml.CurrentLine();
        Log.Error("Error loading file", StringPrintf("Read error on line number %i", line));
        // What libxml2 said, else what the parser logged first, else where reading stopped.
        if (!Xml.GetError().empty())
            Failure = Xml.GetError();
        else if (!FirstError.empty())
            Failure = FirstError + StringPrintf(" (line %i)", line);
        else
            Failure = StringPrintf("Read error on line number %i", line);
        return nullptr;
    }
    if (!Builder->CheckNesting()) {
        Failure = CModelBuilder::TooDeepText();
        return nullptr;
    }
    return Builder->TakeProgram();
}

void CGccXmlParser::ReportProgress(int line, float start, float span, float cap) {
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

bool CGccXmlParser::ReadNodes() {
    LineEstimate = static_cast<int>(FileSize / 100);
    LastReported = 0;
    float start = 0.0f;
    if (Progress != nullptr) {
        start = static_cast<float>(Progress->GetValue()) * 0.01f;
        Progress->SetMessage("Reading nodes");
    }
    float span = (1.0f - start) * 0.5f;
    for (int found = Xml.ReadToDepth(1); found != 0; found = Xml.ReadToDepth(1)) {
        xmlNodePtr node = found > 0 ? Xml.Expand() : nullptr;
        if (node == nullptr)
            return false; // not well-formed: the scan stops here
        ReportProgress(CXmlTextReader::LineOf(node), start, span, start + span);
        if (!CreateElement(node)) {
            Error("Error in xml file", "Could not create element");
            return false;
        }
    }
    return true;
}

bool CGccXmlParser::CreateElement(xmlNodePtr node) {
    std::string tag = TagOf(node);
    std::string idText;
    std::string name;
    Read(node, "id", idText);
    Read(node, "name", name);
    int number = ParseId(idText);
    // A number larger than the file could hold is refused before the id table grows for it.
    bool noNumber = number == 0 && (idText.empty() || idText[0] != 'f');
    if (noNumber || static_cast<std::uint64_t>(number) > MaxIdNumber) {
        Error("Error parsing id number.", "Node on line: ...");
        return false;
    }

    switch (KindOfTag(tag)) {
    case NodeKind::Namespace:
        if (GlobalNamespace < 0 && name == "::")
            GlobalNamespace = number;
        Builder->Add(number, std::make_unique<CNamespace>(name));
        return true;
    case NodeKind::Function:
    case NodeKind::MemberFunction:
    case NodeKind::Structor: {
        // The classes declared inside are linked through this context in pass two, where the
        // function itself may come later in the file.
        std::string context;
        if (Read(node, "context", context))
            FunctionContexts[number] = ParseId(context);
        else
            FunctionContexts.erase(number);
        Builder->Add(number, std::make_unique<CFunction>(name));
        return true;
    }
    case NodeKind::Class:
        Builder->Add(number, std::make_unique<CClassType>(name));
        return true;
    case NodeKind::Field:
        Builder->Add(number, std::make_unique<CField>(name));
        return true;
    case NodeKind::Typedef:
        Builder->Add(number, std::make_unique<CAliasType>(name));
        return true;
    case NodeKind::Enumeration:
        Builder->Add(number, std::make_unique<CEnumType>(name));
        return true;
    case NodeKind::Derived:
    case NodeKind::FunctionType:
        Builder->AddProgramType(number, std::make_unique<CReferenceType>());
        return true;
    case NodeKind::Fundamental:
        Builder->AddProgramType(number, std::make_unique<CBasicType>(name));
        return true;
    case NodeKind::Unimplemented: {
        // Only a type the front end does not spell out becomes an element; templates, static
        // assertions and the like are left out.
        std::string typeClass;
        if (Read(node, "type_class", typeClass))
            Builder->AddProgramType(number, std::make_unique<COpaqueType>(typeClass));
        return true;
    }
    case NodeKind::CvQualified:
        return true; // shares the number of the type it qualifies
    case NodeKind::File:
        Builder->AddFile(std::make_unique<CSourceFile>(name, &Builder->GetProgram()));
        return true;
    case NodeKind::Unknown:
        Error("Unknown Element Type", tag);
        return false;
    }
    return false;
}

CPEContainer* CGccXmlParser::EnclosingScope(int number) const {
    for (int functions = 0; functions <= CModelBuilder::MaxNestingDepth; ++functions) {
        if (Builder->Resolve<CFunction>(number) == nullptr)
            return Builder->Resolve<CPEContainer>(number);
        auto context = FunctionContexts.find(number);
        if (context == FunctionContexts.end())
            return nullptr;
        number = context->second;
    }
    return nullptr;
}

CSourceFile* CGccXmlParser::ResolveFile(const std::string& fileText) const {
    return Builder->ResolveFile(ParseNumber(AfterFirst(fileText)));
}

bool CGccXmlParser::ConnectNodes() {
    LineEstimate = static_cast<int>(FileSize / 100);
    LastReported = 0;
    float start = 0.0f;
    if (Progress != nullptr) {
        start = static_cast<float>(Progress->GetValue()) * 0.01f;
        Progress->SetMessage("Connecting nodes");
    }
    for (int found = Xml.ReadToDepth(1); found != 0; found = Xml.ReadToDepth(1)) {
        xmlNodePtr node = found > 0 ? Xml.Expand() : nullptr;
        if (node == nullptr)
            return false;
        std::string tag = TagOf(node);
        ReportProgress(CXmlTextReader::LineOf(node), start, 1.0f - start, 1.0f);
        if (!LinkNode(node, tag))
            return false;
    }
    return true;
}

void CGccXmlParser::Error(const std::string& heading, const std::string& detail) {
    Log.Error(heading, detail);
    if (FirstError.empty())
        FirstError = heading + ": " + detail;
}

void CGccXmlParser::LogXmlError(xmlNodePtr node, const std::string& tag) {
    std::string id;
    Read(node, "id", id);
    Error("Error in xml file", tag + id);
}

bool CGccXmlParser::LinkNode(xmlNodePtr node, const std::string& tag) {
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
        if (!LinkClass(node, ParseId(id), tag)) {
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
        Error("Unknown Element Type", tag);
        return false;
    }
    return false;
}

std::vector<CType*> CGccXmlParser::ReadArguments(xmlNodePtr node) {
    std::vector<CType*> arguments;
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || TagOf(child) != "Argument")
            continue;
        std::string type;
        if (!Read(child, "type", type))
            break;
        arguments.push_back(Builder->Resolve<CType>(ParseId(type)));
    }
    return arguments;
}

bool CGccXmlParser::LinkFunction(xmlNodePtr node, const std::string& tag) {
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

    int number = ParseId(id);
    auto* self = Builder->Resolve<CFunction>(number);
    CSourceFile* sourceFile = ResolveFile(file);
    CPEContainer* scope = nullptr;
    CClassType* owner = nullptr;
    CType* returnType = nullptr;
    int accessCode = AccessPublic;
    if (kind == NodeKind::Function) {
        scope = Builder->Resolve<CNamespace>(ParseId(context));
    } else if (kind == NodeKind::Structor) {
        owner = Builder->Resolve<CClassType>(ParseId(context));
        scope = owner;
    } else {
        scope = Builder->Resolve<CPEContainer>(ParseId(context));
        owner = Builder->Resolve<CClassType>(ParseId(context));
        Read(node, "access", access);
        accessCode = AccessOf(access);
    }
    if (kind != NodeKind::Structor)
        returnType = Builder->Resolve<CType>(ParseId(returns));
    if (self == nullptr || scope == nullptr || sourceFile == nullptr ||
        (kind != NodeKind::Structor && returnType == nullptr) ||
        !Builder->MayAdopt(number, scope)) {
        LogXmlError(node, tag);
        return false;
    }

    int first = ParseNumber(line);
    int last = Read(node, "endline", endLine) ? ParseNumber(endLine) : first;
    Builder->AdoptFunction(number, *scope);
    self->Link(scope, sourceFile, returnType, std::move(arguments), first, last, owner, accessCode);
    return true;
}

bool CGccXmlParser::LinkField(xmlNodePtr node, const std::string& tag) {
    std::string id, file, type, context, access;
    bool complete =
        Read(node, "id", id) && Read(node, "type", type) && Read(node, "context", context);
    // The compiler's built-in records have fields without a file: they get none.
    bool hasFile = Read(node, "file", file);
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }
    int number = ParseId(id);
    auto* self = Builder->Resolve<CField>(number);
    auto* scope = Builder->Resolve<CPEContainer>(ParseId(context));
    auto* fieldType = Builder->Resolve<CType>(ParseId(type));
    CSourceFile* sourceFile = hasFile ? ResolveFile(file) : nullptr;
    if (self == nullptr || scope == nullptr || fieldType == nullptr ||
        (hasFile && sourceFile == nullptr))
        return false;
    if (!Builder->MayAdopt(number, scope)) {
        LogXmlError(node, tag);
        return false;
    }
    Read(node, "access", access);
    Builder->AdoptField(number, *scope);
    self->Link(scope, sourceFile, fieldType, AccessOf(access));
    ReadLine(node, *self);
    return true;
}

bool CGccXmlParser::LinkScopedType(xmlNodePtr node, const std::string& tag) {
    bool isTypedef = KindOfTag(tag) == NodeKind::Typedef;
    std::string id, file, type, context;
    bool hasFile = Read(node, "file", file);
    bool complete = Read(node, "id", id) && Read(node, "context", context) &&
                    (isTypedef ? Read(node, "type", type) : hasFile);
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }
    int number = ParseId(id);
    auto* scope = Builder->Resolve<CPEContainer>(ParseId(context));
    // A typedef without a file resolves the empty reference: the first File element.
    CSourceFile* sourceFile = ResolveFile(file);
    CAliasType* alias = nullptr;
    CEnumType* enumeration = nullptr;
    CType* aliased = nullptr;
    if (isTypedef) {
        alias = Builder->Resolve<CAliasType>(number);
        aliased = Builder->Resolve<CType>(ParseNumber(AfterFirst(type)));
    } else {
        enumeration = Builder->Resolve<CEnumType>(number);
    }
    CType* self = isTypedef ? static_cast<CType*>(alias) : enumeration;
    if (self == nullptr || scope == nullptr || sourceFile == nullptr ||
        (isTypedef && aliased == nullptr))
        return false;
    if (!Builder->MayAdopt(number, scope)) {
        LogXmlError(node, tag);
        return false;
    }
    Builder->AdoptType(number, *scope);
    if (alias != nullptr)
        alias->Link(scope, sourceFile, aliased);
    else
        enumeration->SetContext(scope, sourceFile);
    ReadLine(node, alias != nullptr ? static_cast<CNsElement&>(*alias) : *enumeration);
    return true;
}

bool CGccXmlParser::LinkDerivedType(xmlNodePtr node, const std::string& tag,
                                    const char* baseAttribute) {
    std::string id, base;
    if (!Read(node, "id", id) || !Read(node, baseAttribute, base)) {
        LogXmlError(node, tag);
        return false;
    }
    auto* self = Builder->Resolve<CReferenceType>(ParseId(id));
    auto* baseType = Builder->Resolve<CType>(ParseId(base));
    if (self == nullptr || baseType == nullptr)
        return false;
    self->BaseType = baseType;
    return true;
}

bool CGccXmlParser::LinkClass(xmlNodePtr node, int number, std::string tag) {
    auto* self = Builder->Resolve<CClassType>(number);
    if (self == nullptr)
        return false;
    // Anonymous structs and unions, and closure types, have no name: only the file is required.
    std::string context, file, basesText;
    if (!Read(node, "file", file))
        return false;
    CPEContainer* scope = Read(node, "context", context)
                              ? EnclosingScope(ParseId(context))
                              : Builder->Resolve<CNamespace>(GlobalNamespace);
    Read(node, "bases", basesText);
    std::vector<int> baseNumbers;
    ParseIdList(basesText, baseNumbers);
    std::vector<CClassType*> bases;
    for (int baseNumber : baseNumbers) {
        auto* base = Builder->Resolve<CClassType>(baseNumber);
        if (base == nullptr)
            return false;
        bases.push_back(base);
    }
    CSourceFile* sourceFile = ResolveFile(file);
    if (scope == nullptr || sourceFile == nullptr || !Builder->MayAdopt(number, scope))
        return false;
    Builder->AdoptType(number, *scope);
    self->Link(scope, sourceFile, std::move(bases), std::move(tag));
    ReadLine(node, *self);
    return true;
}

bool CGccXmlParser::LinkNamespace(xmlNodePtr node, const std::string& tag) {
    std::string id, context;
    Read(node, "id", id);
    int number = ParseId(id);
    auto* self = Builder->Resolve<CNamespace>(number);
    // A context that is not a namespace puts the namespace at the top level.
    CNamespace* parent =
        Read(node, "context", context) ? Builder->Resolve<CNamespace>(ParseId(context)) : nullptr;
    if (self == nullptr || !Builder->MayAdopt(number, parent)) {
        LogXmlError(node, tag);
        return false;
    }
    Builder->AdoptNamespace(number, parent);
    return true;
}
