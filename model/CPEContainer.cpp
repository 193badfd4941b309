#include "model/CPEContainer.h"

#include "layout/CFieldGroup.h"
#include "layout/CFieldRect.h"
#include "layout/CFunctionGroup.h"
#include "layout/CFunctionRect.h"
#include "layout/CGrpFieldRect.h"
#include "layout/CGrpFunctionRect.h"
#include "layout/CGrpTypeRect.h"
#include "layout/CRectArea.h"
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

namespace {

// Appends a rectangle of class TRect for group when the group weighs more than 0, with area
// ua x (the group's size / total).
template <class TRect, class TGroup>
void AddGroupRect(CRectList& list, TGroup* group, float ua, float total, CSqRectangle* rect,
                  CRectArea* treemap) {
    if (group == nullptr || group->GetSize() <= 0)
        return;
    float area = ua * (static_cast<float>(group->GetSize()) / total);
    list.push_back(std::make_unique<TRect>(group, area, rect, treemap));
}

} // namespace

void CPEContainer::FillRect(CSqRectangle* rect, CRectList list, CRectArea* treemap) {
    const CLayoutSettings& layout = treemap->GetLayout();
    float ua = rect->UsableArea();
    int size = GetSize();
    float total = static_cast<float>(size);
    if (size > 0 && layout.Subdivide) {
        AddGroupRect<CGrpFunctionRect>(list, FunctionGroup, ua, total, rect, treemap);
        AddGroupRect<CGrpFieldRect>(list, FieldGroup, ua, total, rect, treemap);
        AddGroupRect<CGrpTypeRect>(list, TypeGroup, ua, total, rect, treemap);
    } else if (size > 0) {
        if (layout.UseFunctionLength) {
            float share = ua * (static_cast<float>(FunctionsSize) / total);
            for (CFunction* function : Functions) {
                int w = function->GetLines();
                if (w > 0 && FunctionsLines > 0) {
                    float area =
                        (static_cast<float>(w) * share) / static_cast<float>(FunctionsLines);
                    list.push_back(std::make_unique<CFunctionRect>(function, area, rect, treemap));
                }
            }
        } else {
            for (CFunction* function : Functions) {
                int w = function->GetSize();
                if (w > 0) {
                    float area = (ua * static_cast<float>(w)) / total;
                    list.push_back(std::make_unique<CFunctionRect>(function, area, rect, treemap));
                }
            }
        }
        for (CField* field : Fields) {
            int w = field->GetSize();
            if (w > 0) {
                float area = (ua * static_cast<float>(w)) / total;
                list.push_back(std::make_unique<CFieldRect>(field, area, rect, treemap));
            }
        }
        for (CType* type : Types) {
            if (std::unique_ptr<CSqRectangle> typeRect = type->CreateRect(total, rect, treemap))
                list.push_back(std::move(typeRect));
        }
    }
    rect->SetChildren(std::move(list));
    if (size != 0)
        rect->Squarify();
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children) {
        if (ISquarable* element = child->GetElement())
            element->SetRect(child.get(), treemap);
    }
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
