#include "view/CElementFilter.h"

#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CReferenceType.h"
#include "model/CSourceFile.h"

CNameCriterion* CElementFilter::AddNameCriterion() {
    NameCriteria.push_back(std::make_unique<CNameCriterion>());
    return NameCriteria.back().get();
}

CClassCriterion* CElementFilter::AddClassCriterion() {
    ClassCriteria.push_back(std::make_unique<CClassCriterion>());
    return ClassCriteria.back().get();
}

CTypeCriterion* CElementFilter::AddTypeCriterion() {
    TypeCriteria.push_back(std::make_unique<CTypeCriterion>());
    return TypeCriteria.back().get();
}

bool CElementFilter::HasCriteria() const {
    return !NameCriteria.empty() || !ClassCriteria.empty() || !TypeCriteria.empty();
}

void CElementFilter::Append(CProgramElement* element) {
    ISquarable* entry = element;
    if (Results.empty() || Results.back() != entry)
        Results.push_back(entry);
}

void CElementFilter::NameTest(CProgramElement* element) {
    for (const auto& criterion : NameCriteria) {
        if (criterion->Passes(element))
            Append(element);
    }
}

void CElementFilter::ClassTest(CClassType* candidate) {
    for (const auto& criterion : ClassCriteria) {
        if (criterion->Passes(candidate))
            Append(candidate);
    }
}

void CElementFilter::TypeTest(CType* type) {
    for (const auto& criterion : TypeCriteria) {
        if (criterion->Passes(type))
            Append(type);
    }
}

void CElementFilter::SearchProgram(CProgram* program) {
    NameTest(program);
    if (!HasCriteria())
        return;
    for (const auto& file : program->SourceFiles)
        NameTest(file.get());
    for (const auto& ns : program->Namespaces)
        VisitNamespace(ns.get());
}

void CElementFilter::VisitNamespace(CNamespace* ns) {
    for (const auto& child : ns->Namespaces)
        VisitNamespace(child.get());
    NameTest(ns);
    // Fields are looked at by name criteria only.
    if (!NameCriteria.empty()) {
        for (const auto& field : ns->Fields)
            NameTest(field.get());
    }
    if (!HasCriteria())
        return;
    for (const auto& function : ns->Functions)
        NameTest(function.get());
    for (const auto& type : ns->Types)
        VisitType(type.get());
}

void CElementFilter::VisitType(CType* type) {
    // A derived type is tested as a type and then stands for its base type, down the chain.
    // A second walker at half speed stops a chain that loops back into itself.
    CType* slow = type;
    bool moveSlow = false;
    while (type != nullptr && type->GetTypeKind() == TypeKindDerived) {
        TypeTest(type);
        type = static_cast<CReferenceType*>(type)->GetBaseType();
        if (moveSlow)
            slow = static_cast<CReferenceType*>(slow)->GetBaseType();
        moveSlow = !moveSlow;
        if (type == slow)
            return;
    }
    if (type == nullptr)
        return;
    switch (type->GetTypeKind()) {
    case TypeKindClass: {
        auto* cls = static_cast<CClassType*>(type);
        NameTest(cls);
        ClassTest(cls);
        TypeTest(cls);
        if (!NameCriteria.empty()) {
            for (const auto& field : cls->Fields)
                NameTest(field.get());
        }
        if (!HasCriteria())
            return;
        for (const auto& function : cls->Functions)
            NameTest(function.get());
        for (const auto& nested : cls->Types)
            VisitType(nested.get());
        break;
    }
    case TypeKindEnumeration:
    case TypeKindTypedef:
        NameTest(type);
        TypeTest(type);
        break;
    default: // fundamental types are never found
        break;
    }
}
