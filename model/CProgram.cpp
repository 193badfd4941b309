#include "model/CProgram.h"

#include "layout/CFileGroup.h"
#include "layout/CNsGroup.h"
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

void CProgram::SetRect(CSqRectangle* rect, CRectArea*) {
    Rect = rect;
}
