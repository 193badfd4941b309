#include "model/CNamespace.h"

#include "model/CProgram.h"
#include "model/Saturating.h"

CNamespace::CNamespace(std::string name) : CProgramElement(name), CPEContainer(name) {}

CNamespace::~CNamespace() = default;

void CNamespace::SetParent(CNamespace* parent, CProgram* program) {
    Context = parent;
    SourceFile = nullptr;
    Program = program;
}

bool CNamespace::Contains(const CProgramElement* element) const {
    for (const auto& child : Namespaces) {
        if (static_cast<const CProgramElement*>(child.get()) == element)
            return true;
    }
    return CPEContainer::Contains(element);
}

ISquarable* CNamespace::GetParent() const {
    if (Context != nullptr)
        return static_cast<CProgramElement*>(Context);
    return Program;
}

void CNamespace::ComputeSize(const CSizing& sizing) {
    if (Computed)
        return;
    Computed = true;
    NamespacesLines = NamespacesSize = 0;
    CPEContainer::ComputeSize(sizing);
    for (const auto& child : Namespaces) {
        child->ComputeSize(sizing);
        NamespacesLines = SaturatingAdd(NamespacesLines, child->GetLines());
        NamespacesSize = SaturatingAdd(NamespacesSize, child->GetSize());
    }
    Lines = SaturatingAdd(Lines, NamespacesLines);
    Size = SaturatingAdd(Size, NamespacesSize);
}
