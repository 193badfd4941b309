#include "app/CModelCounts.h"

#include "model/CAliasType.h"
#include "model/CBasicType.h"
#include "model/CClassType.h"
#include "model/CEnumType.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"

#include <vector>

CModelCounts::CModelCounts(const CProgram& program) {
    Files = static_cast<int>(program.SourceFiles.size());
    for (const CType* type : program.Elements)
        CountType(type);
    // Namespaces and classes are walked with an explicit stack, so deep nesting cannot
    // exhaust the call stack.
    std::vector<const CNamespace*> namespaces(program.Namespaces.begin(), program.Namespaces.end());
    while (!namespaces.empty()) {
        const CNamespace* ns = namespaces.back();
        namespaces.pop_back();
        ++Namespaces;
        CountMembers(*ns);
        namespaces.insert(namespaces.end(), ns->Namespaces.begin(), ns->Namespaces.end());
    }
}

void CModelCounts::CountMembers(const CPEContainer& container) {
    std::vector<const CPEContainer*> pending{&container};
    while (!pending.empty()) {
        const CPEContainer* scope = pending.back();
        pending.pop_back();
        Functions += static_cast<int>(scope->Functions.size());
        Fields += static_cast<int>(scope->Fields.size());
        for (const CType* type : scope->Types) {
            CountType(type);
            if (type->GetTypeKind() == TypeKindClass)
                pending.push_back(static_cast<const CClassType*>(type));
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
