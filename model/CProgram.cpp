#include "model/CProgram.h"

#include "layout/CFileGroup.h"
#include "layout/CGrpFileRect.h"
#include "layout/CGrpNsRect.h"
#include "layout/CNamespaceRect.h"
#include "layout/CNsGroup.h"
#include "layout/CRectArea.h"
#include "model/CNamespace.h"
#include "model/CSourceFile.h"
#include "model/CType.h"
#include "model/Saturating.h"

CProgram::~CProgram() {
    for (CType* type : Elements)
        delete type;
    for (CNamespace* ns : Namespaces)
        delete ns;
    for (CSourceFile* file : SourceFiles)
        delete file;
    delete NamespaceGroup;
    delete FileGroup;
}

void CProgram::ComputeSize() {
    if (Computed)
        return;
    Computed = true;
    FilesSize = FilesLines = NamespacesLines = NamespacesSize = 0;
    for (CSourceFile* file : SourceFiles) {
        file->ComputeSize();
        FilesSize = SaturatingAdd(FilesSize, file->GetSize());
        FilesLines = SaturatingAdd(FilesLines, file->GetLines());
    }
    for (CType* type : Elements)
        type->ComputeSize();
    for (CNamespace* ns : Namespaces) {
        ns->ComputeSize();
        NamespacesLines = SaturatingAdd(NamespacesLines, ns->GetLines());
        NamespacesSize = SaturatingAdd(NamespacesSize, ns->GetSize());
    }
    Lines = NamespacesLines;
    Size = NamespacesSize;
    FileGroup = new CFileGroup(&SourceFiles, this);
    NamespaceGroup = new CNsGroup(&Namespaces, this);
}

void CProgram::ReleaseChildLists() {
    std::vector<CNamespace*>().swap(Namespaces);
    std::vector<CSourceFile*>().swap(SourceFiles);
    std::vector<CType*>().swap(Elements);
}

void CProgram::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    Rect = rect;
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    const CLayoutSettings& layout = treemap->GetLayout();
    float f = layout.FileAreaFactor;
    float fileArea = ua * f;
    float rest = ua - fileArea;
    CRectList list;
    if (f > 0.005f && FileGroup != nullptr)
        list.push_back(std::make_unique<CGrpFileRect>(FileGroup, fileArea, rect, treemap));
    if (rest > 0.005f) {
        if (!layout.Subdivide) {
            int size = GetSize();
            for (CNamespace* ns : Namespaces) {
                int w = ns->GetSize();
                if (w > 0 && size > 0) {
                    float area = (static_cast<float>(w) * rest) / static_cast<float>(size);
                    list.push_back(std::make_unique<CNamespaceRect>(ns, area, rect, treemap));
                }
            }
        } else if (NamespaceGroup != nullptr) {
            list.push_back(std::make_unique<CGrpNsRect>(NamespaceGroup, rest, rect, treemap));
        }
    }
    rect->SetChildren(std::move(list));
    rect->Squarify();
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children) {
        ISquarable* element = child->GetElement();
        if (element != nullptr && element != this)
            element->SetRect(child.get(), treemap);
    }
}
