#include "model/ElementSummary.h"

#include "model/CAliasType.h"
#include "model/CClassType.h"
#include "model/CEnumType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"
#include "model/Descriptions.h"

#include <algorithm>
#include <cctype>

std::string KindName(const CProgramElement& element) {
    if (auto* cls = dynamic_cast<const CClassType*>(&element)) {
        std::string kind = cls->GetKind();
        std::transform(kind.begin(), kind.end(), kind.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return kind;
    }
    if (dynamic_cast<const CNamespace*>(&element) != nullptr)
        return "namespace";
    // Members as the descriptions tell them apart.
    if (dynamic_cast<const CFunction*>(&element) != nullptr)
        return ContextClass(element) != nullptr ? "method" : "function";
    if (dynamic_cast<const CField*>(&element) != nullptr)
        return ContextClass(element) != nullptr ? "field" : "variable";
    if (dynamic_cast<const CAliasType*>(&element) != nullptr)
        return "typedef";
    if (dynamic_cast<const CEnumType*>(&element) != nullptr)
        return "enumeration";
    if (dynamic_cast<const CSourceFile*>(&element) != nullptr)
        return "file";
    if (dynamic_cast<const CProgram*>(&element) != nullptr)
        return "program";
    return "type";
}

std::string QualifiedName(const CProgramElement& element) {
    std::string name = element.Name;
    for (const CProgramElement* scope = element.GetContext(); scope != nullptr;
         scope = scope->GetContext()) {
        if (scope->GetContext() == nullptr && scope->Name == "::")
            break;
        name = scope->Name + "::" + name;
    }
    return name;
}

std::string SourceLocation(const CProgramElement& element) {
    auto* declared = dynamic_cast<const CNsElement*>(&element);
    if (declared == nullptr || declared->SourceFile == nullptr)
        return "";
    std::string location = declared->SourceFile->Name;
    if (declared->Line > 0)
        location += ":" + std::to_string(declared->Line);
    return location;
}
