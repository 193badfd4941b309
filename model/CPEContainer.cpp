#include "model/CPEContainer.h"

#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CType.h"
#include "model/Saturating.h"

CPEContainer::CPEContainer(std::string name) : CProgramElement(name), CNsElement(name) {}

CPEContainer::~CPEContainer() = default;

bool CPEContainer::Contains(const CProgramElement* element) const {
    for (const auto& field : Fields) {
        if (static_cast<const CProgramElement*>(field.get()) == element)
            return true;
    }
    for (const auto& function : Functions) {
        if (static_cast<const CProgramElement*>(function.get()) == element)
            return true;
    }
    for (const auto& type : Types) {
        if (static_cast<const CProgramElement*>(type.get()) == element)
            return true;
    }
    return false;
}

void CPEContainer::AddType(std::unique_ptr<CType> type) {
    Types.push_back(std::move(type));
}

void CPEContainer::ComputeSize(const CSizing& sizing) {
    FunctionsSize = FunctionsLines = FieldsSize = FieldsLines = TypesSize = TypesLines = 0;
    for (const auto& type : Types) {
        type->ComputeSize(sizing);
        TypesSize = SaturatingAdd(TypesSize, type->GetSize());
        TypesLines = SaturatingAdd(TypesLines, type->GetLines());
    }
    for (const auto& field : Fields) {
        field->ComputeSize(sizing);
        FieldsSize = SaturatingAdd(FieldsSize, field->GetSize());
        FieldsLines = SaturatingAdd(FieldsLines, field->GetLines());
    }
    for (const auto& function : Functions) {
        function->ComputeSize(sizing);
        FunctionsSize = SaturatingAdd(FunctionsSize, function->GetSize());
        FunctionsLines = SaturatingAdd(FunctionsLines, function->GetLines());
    }
    Lines = SaturatingAdd(SaturatingAdd(FunctionsLines, FieldsLines), TypesLines);
    Size = SaturatingAdd(SaturatingAdd(FunctionsSize, FieldsSize), TypesSize);
}
