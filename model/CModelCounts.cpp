#include "model/CModelCounts.h"

#include "model/CAliasType.h"
#include "model/CBasicType.h"
#include "model/CClassType.h"
#include "model/CEnumType.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"

#include <vector>

CModelCounts::CModelCounts(const CProgram& program) {
    Files = static_cast<int>(program.SourceFiles.size());
    for (const auto& type : program.Elements)
        CountType(type.get());
    // Namespaces and classes are walked with an explicit stack, so deep nesting cannot
    // exhaust the call stack.
    std::vector<const CNamespace*> namespaces;
    for (const auto& ns : program.Namespaces)
        namespaces.push_back(ns.get());
    while (!namespaces.empty()) {
        const CNamespace* ns = namespaces.back();
        namespaces.pop_back();
        ++Namespaces;
        CountMembers(*ns);
        for (const auto& child : ns->Namespaces)
            namespaces.push_back(child.get());
    }
}

void CModelCounts::CountMembers(const CPEContainer& container) {
    std::vector<const CPEContainer*> pending{&container};
    while (!pending.empty()) {
        const CPEContainer* scope = pending.back();
        pending.pop_back();
        Functions += static_cast<int>(scope->Functions.size());
        Fields += static_cast<int>(scope->Fields.size());
        for (const auto& type : scope->Types) {
            CountType(type.get());
            if (type->GetTypeKind() == TypeKindClass)
                pending.push_back(static_cast<const CClassType*>(type.get()));
        }
    }
}

void CModelCounts::CountType(const CType* type) {
    switch (type->GetTypeKind()) {
    case TypeKindClass:
        ++Classes;
        break;
    case TypeKindEnumeration:
        ++Enumerations;
        break;
    case TypeKindTypedef:
        ++Typedefs;
        break;
    case TypeKindFundamental:
        ++FundamentalTypes;
        break;
    default:
        ++DerivedTypes;
        break;
    }
}

int CModelCounts::Total() const {
    return Namespaces + Classes + Functions + Fields + Typedefs + Enumerations + FundamentalTypes +
           DerivedTypes + Files;
}
