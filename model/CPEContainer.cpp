#include "model/CPEContainer.h"

#include "layout/CFieldGroup.h"
#include "layout/CFunctionGroup.h"
#include "layout/CTypeGroup.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CType.h"
#include "model/Saturating.h"

CPEContainer::CPEContainer(std::string name) : CProgramElement(name), CNsElement(name) {}

CPEContainer::~CPEContainer() {
    for (CType* type : Types)
        delete type;
    for (CField* field : Fields)
        delete field;
    for (CFunction* function : Functions)
        delete function;
    delete FunctionGroup;
    delete FieldGroup;
    delete TypeGroup;
}

bool CPEContainer::Contains(const CProgramElement* element) const {
    for (CField* field : Fields) {
        if (static_cast<const CProgramElement*>(field) == element)
            return true;
    }
    for (CFunction* function : Functions) {
        if (static_cast<const CProgramElement*>(function) == element)
            return true;
    }
    for (CType* type : Types) {
        if (static_cast<const CProgramElement*>(type) == element)
            return true;
    }
    return false;
}

void CPEContainer::AddType(CType* type) {
    Types.push_back(type);
}

void CPEContainer::ComputeSize() {
    FunctionsSize = FunctionsLines = FieldsSize = FieldsLines = TypesSize = TypesLines = 0;
    for (CType* type : Types) {
        type->ComputeSize();
        TypesSize = SaturatingAdd(TypesSize, type->GetSize());
        TypesLines = SaturatingAdd(TypesLines, type->GetLines());
    }
    for (CField* field : Fields) {
        field->ComputeSize();
        FieldsSize = SaturatingAdd(FieldsSize, field->GetSize());
        FieldsLines = SaturatingAdd(FieldsLines, field->GetLines());
    }
    for (CFunction* function : Functions) {
        function->ComputeSize();
        FunctionsSize = SaturatingAdd(FunctionsSize, function->GetSize());
        FunctionsLines = SaturatingAdd(FunctionsLines, function->GetLines());
    }
    Lines = SaturatingAdd(SaturatingAdd(FunctionsLines, FieldsLines), TypesLines);
    Size = SaturatingAdd(SaturatingAdd(FunctionsSize, FieldsSize), TypesSize);
    // A scope reached twice (crafted input) replaces its groups rather than leaking them.
    delete FunctionGroup;
    delete FieldGroup;
    delete TypeGroup;
    FunctionGroup = new CFunctionGroup(&Functions, this);
    FieldGroup = new CFieldGroup(&Fields, this);
    TypeGroup = new CTypeGroup(&Types, this);
}

void CPEContainer::ReleaseChildLists() {
    std::vector<CField*>().swap(Fields);
    std::vector<CFunction*>().swap(Functions);
    std::vector<CType*>().swap(Types);
}
