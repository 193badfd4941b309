#include "model/CNamespace.h"

#include "layout/CGrpNsRect.h"
#include "layout/CNsGroup.h"
#include "model/CProgram.h"
#include "model/Saturating.h"

CNamespace::CNamespace(std::string name) : CProgramElement(name), CPEContainer(name) {}

CNamespace::~CNamespace() {
    for (CNamespace* child : Namespaces)
        delete child;
    delete NamespaceGroup;
}

void CNamespace::SetParent(CNamespace* parent, CProgram* program) {
    Context = parent;
    SourceFile = nullptr;
    Program = program;
}

bool CNamespace::Contains(const CProgramElement* element) const {
    for (CNamespace* child : Namespaces) {
        if (static_cast<const CProgramElement*>(child) == element)
            return true;
    }
    return CPEContainer::Contains(element);
}

ISquarable* CNamespace::GetParent() const {
    if (Context != nullptr)
        return static_cast<CProgramElement*>(Context);
    return Program;
}

void CNamespace::ComputeSize() {
    if (Computed)
        return;
    Computed = true;
    NamespacesLines = NamespacesSize = 0;
    CPEContainer::ComputeSize();
    for (CNamespace* child : Namespaces) {
        child->ComputeSize();
        NamespacesLines = SaturatingAdd(NamespacesLines, child->GetLines());
        NamespacesSize = SaturatingAdd(NamespacesSize, child->GetSize());
    }
    Lines = SaturatingAdd(Lines, NamespacesLines);
    Size = SaturatingAdd(Size, NamespacesSize);
    NamespaceGroup = new CNsGroup(&Namespaces, this);
}

void CNamespace::ReleaseChildLists() {
    CPEContainer::ReleaseChildLists();
    std::vector<CNamespace*>().swap(Namespaces);
}

void CNamespace::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    Rect = rect;
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    CRectList list;
    int size = GetSize();
    if (NamespaceGroup != nullptr && NamespaceGroup->GetSize() > 0 && size > 0) {
        float area = ua * static_cast<float>(NamespaceGroup->GetSize()) / static_cast<float>(size);
        list.push_back(std::make_unique<CGrpNsRect>(NamespaceGroup, area, rect, treemap));
    }
    FillRect(rect, std::move(list), treemap);
}
