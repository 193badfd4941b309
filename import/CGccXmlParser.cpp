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
#include <cstring>
#include <iterator>

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

struct STagKind {
    const char* Tag;
    NodeKind Kind;
};

// The tags the parser knows, with the kind of each; an element's tag is its index here.
const STagKind Tags[] = {
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

// The index of a tag in Tags, by its first letter and then the whole name; -1 when unknown.
int TagIndex(const char* tag) {
    for (int index = 0; index < static_cast<int>(std::size(Tags)); ++index) {
        if (Tags[index].Tag[0] == tag[0] && std::strcmp(Tags[index].Tag, tag) == 0)
            return index;
    }
    return -1;
}

// The kind of the tag of an index; Unknown for -1.
NodeKind KindOf(int tag) {
    return tag >= 0 ? Tags[tag].Kind : NodeKind::Unknown;
}

// Whether elements of the kind have children that pass two reads (their Argument elements).
bool IsFunction(NodeKind kind) {
    return kind == NodeKind::Function || kind == NodeKind::MemberFunction ||
           kind == NodeKind::Structor;
}

const char* TagOf(xmlNodePtr node) {
    return node->name != nullptr ? reinterpret_cast<const char*>(node->name) : "";
}

// The text of the attribute (AttributeText); null when it is absent.
const char* Read(xmlNodePtr node, const char* name) {
    return AttributeText(node, name);
}

using Element = CElementRecords::CElement;
using Attribute = CElementRecords::EAttribute;

// The kind of a recorded element's tag.
NodeKind KindOf(const Element& node) {
    return Tags[node.GetTag()].Kind;
}

// Stores the line of element's declaration when the node gives one.
void ReadLine(const Element& node, CNsElement& element) {
    if (const char* line = node.Get(Attribute::Line))
        element.Line = ParseNumber(line);
}

// The text after the first character; empty for an empty text.
const char* AfterFirst(const char* text) {
    return text[0] == 0 ? text : text + 1;
}

// "private" 1, "protected" 2; "public", an absent attribute and anything else 0.
int AccessOf(const char* text) {
    if (text == nullptr)
        return AccessPublic;
    if (std::strcmp(text, "private") == 0)
        return AccessPrivate;
    if (std::strcmp(text, "protected") == 0)
        return AccessProtected;
    return AccessPublic;
}

// A present attribute's text, an absent one's empty text.
const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

} // namespace

CGccXmlParser::CGccXmlParser(CXmlTextReader& xml, std::uint64_t fileSize, CLogFile& log,
                             IProgress* progress)
    : Xml(xml), MaxIdNumber(fileSize), FileSize(static_cast<std::uint32_t>(fileSize)), Log(log),
      Progress(progress), Builder(std::make_unique<CModelBuilder>(log)) {}

CGccXmlParser::~CGccXmlParser() = default;

std::unique_ptr<CProgram> CGccXmlParser::Parse() {
    bool linked = ReadNodes() && ConnectNodes();
    FunctionContexts = std::vector<int>(); // needed by pass two only
    Records = CElementRecords();
    if (!linked) {
        // Where pass two stopped, else where reading the file stopped.
        int line = LinkFailedLine >= 0 ? LinkFailedLine : Xml.CurrentLine();
        Log.Error("Error loading file", StringPrintf("Read error on line number %i", line));
        // What libxml2 said, else what the parser logged first, else where reading stopped.
        // An error libxml2 recovered from after the element pass two stopped at is not the
        // cause.
        if (!Xml.GetError().empty() && (LinkFailedLine < 0 || Xml.GetErrorLine() <= line))
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
    // Pass one reads the attributes of each element's start tag, and copies what pass two
    // needs; only a function's children (its Argument elements) are read with it.
    for (int found = Xml.ReadToDepth(1); found != 0; found = Xml.ReadToDepth(1)) {
        xmlNodePtr node = found > 0 ? Xml.Current() : nullptr;
        if (node == nullptr)
            return false; // not well-formed: the scan stops here
        ReportProgress(CXmlTextReader::LineOf(node), start, span, start + span);
        int tag = TagIndex(TagOf(node));
        if (!CreateElement(node, tag)) {
            Error("Error in xml file", "Could not create element");
            return false;
        }
        // Known here: CreateElement refuses unknown tags.
        bool function = IsFunction(KindOf(tag));
        if (function && (node = Xml.Expand()) == nullptr)
            return false;
        Records.Add(tag, CXmlTextReader::LineOf(node), node, function);
    }
    return true;
}

bool CGccXmlParser::CreateElement(xmlNodePtr node, int tag) {
    const char* idText = OrEmpty(Read(node, "id"));
    const char* name = OrEmpty(Read(node, "name"));
    int number = ParseId(idText);
    // A number larger than the file could hold is refused before the id table grows for it.
    bool noNumber = number == 0 && idText[0] != 'f';
    if (noNumber || static_cast<std::uint64_t>(number) > MaxIdNumber) {
        Error("Error parsing id number.", "Node on line: ...");
        return false;
    }

    switch (KindOf(tag)) {
    case NodeKind::Namespace:
        if (GlobalNamespace < 0 && std::strcmp(name, "::") == 0)
            GlobalNamespace = number;
        Builder->Add(number, std::make_unique<CNamespace>(name));
        return true;
    case NodeKind::Function:
    case NodeKind::MemberFunction:
    case NodeKind::Structor: {
        // The classes declared inside are linked through this context in pass two, where the
        // function itself may come later in the file.
        const char* context = Read(node, "context");
        SetFunctionContext(number, context != nullptr ? ParseId(context) : NoContext);
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
        if (const char* typeClass = Read(node, "type_class"))
            Builder->AddProgramType(number, std::make_unique<COpaqueType>(typeClass));
        return true;
    }
    case NodeKind::CvQualified:
        return true; // shares the number of the type it qualifies
    case NodeKind::File:
        Builder->AddFile(std::make_unique<CSourceFile>(name, &Builder->GetProgram()));
        return true;
    case NodeKind::Unknown:
        Error("Unknown Element Type", TagOf(node));
        return false;
    }
    return false;
}

void CGccXmlParser::SetFunctionContext(int number, int context) {
    auto slot = static_cast<std::size_t>(number);
    if (slot >= FunctionContexts.size()) {
        if (context == NoContext)
            return;
        FunctionContexts.resize(std::max(slot + 1, FunctionContexts.size() * 3 / 2), NoContext);
    }
    FunctionContexts[slot] = context;
}

CPEContainer* CGccXmlParser::EnclosingScope(int number) const {
    for (int functions = 0; functions <= CModelBuilder::MaxNestingDepth; ++functions) {
        if (Builder->Resolve<CFunction>(number) == nullptr)
            return Builder->ResolveScope(number);
        auto slot = static_cast<std::size_t>(number);
        if (number < 0 || slot >= FunctionContexts.size() || FunctionContexts[slot] == NoContext)
            return nullptr;
        number = FunctionContexts[slot];
    }
    return nullptr;
}

CSourceFile* CGccXmlParser::ResolveFile(const char* fileText) const {
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
    for (std::size_t index = 0; index < Records.Size(); ++index) {
        const Element node = Records[index];
        ReportProgress(node.GetLine(), start, 1.0f - start, 1.0f);
        if (!LinkNode(node, Tags[node.GetTag()].Tag)) {
            LinkFailedLine = node.GetLine();
            return false;
        }
    }
    return true;
}

void CGccXmlParser::Error(const std::string& heading, const std::string& detail) {
    Log.Error(heading, detail);
    if (FirstError.empty())
        FirstError = heading + ": " + detail;
}

void CGccXmlParser::LogXmlError(const Element& node, const char* tag) {
    Error("Error in xml file", std::string(tag) + OrEmpty(node.Get(Attribute::Id)));
}

bool CGccXmlParser::LinkNode(const Element& node, const char* tag) {
    switch (KindOf(node)) {
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
        return LinkDerivedType(node, tag, Attribute::Type);
    case NodeKind::FunctionType:
        return LinkDerivedType(node, tag, Attribute::Returns);
    case NodeKind::Class:
        if (!LinkClass(node, ParseId(OrEmpty(node.Get(Attribute::Id))), tag)) {
            LogXmlError(node, tag);
            return false;
        }
        return true;
    case NodeKind::Namespace:
        return LinkNamespace(node, tag);
    case NodeKind::CvQualified:
        if (ParseId(OrEmpty(node.Get(Attribute::Id))) !=
            ParseId(OrEmpty(node.Get(Attribute::Type)))) {
            LogXmlError(node, tag);
            return false;
        }
        return true;
    case NodeKind::Fundamental:
    case NodeKind::File:
    case NodeKind::Unimplemented:
        return true;
    case NodeKind::Unknown: // pass one refuses unknown tags
        return false;
    }
    return false;
}

std::vector<CType*> CGccXmlParser::ReadArguments(const Element& node) {
    std::vector<CType*> arguments;
    for (int type : node.GetArgumentTypes())
        arguments.push_back(Builder->ResolveType(type));
    return arguments;
}

bool CGccXmlParser::LinkFunction(const Element& node, const char* tag) {
    NodeKind kind = KindOf(node);
    std::vector<CType*> arguments = ReadArguments(node);
    const char* id = node.Get(Attribute::Id);
    const char* file = node.Get(Attribute::File);
    const char* line = node.Get(Attribute::Line);
    const char* returns = node.Get(Attribute::Returns);
    const char* context = node.Get(Attribute::Context);
    bool complete = id != nullptr && file != nullptr && line != nullptr;
    if (kind != NodeKind::Structor)
        complete = returns != nullptr && complete;
    if (kind != NodeKind::Function) // a free function's context is not tested, only resolved
        complete = context != nullptr && complete;
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }

    int number = ParseId(id);
    auto* self = Builder->Resolve<CFunction>(number);
    CSourceFile* sourceFile = ResolveFile(file);
    int contextNumber = ParseId(OrEmpty(context));
    CPEContainer* scope = nullptr;
    CClassType* owner = nullptr;
    CType* returnType = nullptr;
    int accessCode = AccessPublic;
    if (kind == NodeKind::Function) {
        scope = Builder->Resolve<CNamespace>(contextNumber);
    } else if (kind == NodeKind::Structor) {
        owner = Builder->Resolve<CClassType>(contextNumber);
        scope = owner;
    } else {
        scope = Builder->ResolveScope(contextNumber);
        owner = Builder->Resolve<CClassType>(contextNumber);
        accessCode = AccessOf(node.Get(Attribute::Access));
    }
    if (kind != NodeKind::Structor)
        returnType = Builder->ResolveType(ParseId(returns));
    if (self == nullptr || scope == nullptr || sourceFile == nullptr ||
        (kind != NodeKind::Structor && returnType == nullptr) ||
        !Builder->MayAdopt(number, scope)) {
        LogXmlError(node, tag);
        return false;
    }

    int first = ParseNumber(line);
    const char* endLine = node.Get(Attribute::EndLine);
    int last = endLine != nullptr ? ParseNumber(endLine) : first;
    Builder->AdoptFunction(number, *scope);
    self->Link(scope, sourceFile, returnType, std::move(arguments), first, last, owner, accessCode);
    return true;
}

bool CGccXmlParser::LinkField(const Element& node, const char* tag) {
    const char* id = node.Get(Attribute::Id);
    const char* type = node.Get(Attribute::Type);
    const char* context = node.Get(Attribute::Context);
    // The compiler's built-in records have fields without a file: they get none.
    const char* file = node.Get(Attribute::File);
    if (id == nullptr || type == nullptr || context == nullptr) {
        LogXmlError(node, tag);
        return false;
    }
    int number = ParseId(id);
    auto* self = Builder->Resolve<CField>(number);
    auto* scope = Builder->ResolveScope(ParseId(context));
    auto* fieldType = Builder->ResolveType(ParseId(type));
    CSourceFile* sourceFile = file != nullptr ? ResolveFile(file) : nullptr;
    if (self == nullptr || scope == nullptr || fieldType == nullptr ||
        (file != nullptr && sourceFile == nullptr))
        return false;
    if (!Builder->MayAdopt(number, scope)) {
        LogXmlError(node, tag);
        return false;
    }
    Builder->AdoptField(number, *scope);
    self->Link(scope, sourceFile, fieldType, AccessOf(node.Get(Attribute::Access)));
    ReadLine(node, *self);
    return true;
}

bool CGccXmlParser::LinkScopedType(const Element& node, const char* tag) {
    bool isTypedef = KindOf(node) == NodeKind::Typedef;
    const char* file = node.Get(Attribute::File);
    const char* id = node.Get(Attribute::Id);
    const char* context = node.Get(Attribute::Context);
    const char* type = isTypedef ? node.Get(Attribute::Type) : nullptr;
    bool complete =
        id != nullptr && context != nullptr && (isTypedef ? type != nullptr : file != nullptr);
    if (!complete) {
        LogXmlError(node, tag);
        return false;
    }
    int number = ParseId(id);
    auto* scope = Builder->ResolveScope(ParseId(context));
    // A typedef without a file resolves the empty reference: the first File element.
    CSourceFile* sourceFile = ResolveFile(OrEmpty(file));
    CAliasType* alias = nullptr;
    CEnumType* enumeration = nullptr;
    CType* aliased = nullptr;
    if (isTypedef) {
        alias = Builder->Resolve<CAliasType>(number);
        aliased = Builder->ResolveType(ParseNumber(AfterFirst(type)));
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

bool CGccXmlParser::LinkDerivedType(const Element& node, const char* tag, Attribute baseAttribute) {
    const char* id = node.Get(Attribute::Id);
    const char* base = node.Get(baseAttribute);
    if (id == nullptr || base == nullptr) {
        LogXmlError(node, tag);
        return false;
    }
    auto* self = Builder->Resolve<CReferenceType>(ParseId(id));
    auto* baseType = Builder->ResolveType(ParseId(base));
    if (self == nullptr || baseType == nullptr)
        return false;
    self->BaseType = baseType;
    return true;
}

bool CGccXmlParser::LinkClass(const Element& node, int number, const char* tag) {
    auto* self = Builder->Resolve<CClassType>(number);
    if (self == nullptr)
        return false;
    // Anonymous structs and unions, and closure types, have no name: only the file is required.
    const char* file = node.Get(Attribute::File);
    if (file == nullptr)
        return false;
    const char* context = node.Get(Attribute::Context);
    CPEContainer* scope = context != nullptr ? EnclosingScope(ParseId(context))
                                             : Builder->Resolve<CNamespace>(GlobalNamespace);
    std::vector<int> baseNumbers;
    ParseIdList(OrEmpty(node.Get(Attribute::Bases)), baseNumbers);
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
    self->Link(scope, sourceFile, std::move(bases), tag);
    ReadLine(node, *self);
    return true;
}

bool CGccXmlParser::LinkNamespace(const Element& node, const char* tag) {
    int number = ParseId(OrEmpty(node.Get(Attribute::Id)));
    auto* self = Builder->Resolve<CNamespace>(number);
    // A context that is not a namespace puts the namespace at the top level.
    const char* context = node.Get(Attribute::Context);
    CNamespace* parent =
        context != nullptr ? Builder->Resolve<CNamespace>(ParseId(context)) : nullptr;
    if (self == nullptr || !Builder->MayAdopt(number, parent)) {
        LogXmlError(node, tag);
        return false;
    }
    Builder->AdoptNamespace(number, parent);
    return true;
}
