#include "model/CProgram.h"

#include "model/CNamespace.h"
#include "model/CSourceFile.h"
#include "model/CType.h"
#include "model/Saturating.h"

CProgram::CProgram() : CProgramElement("Program") {}

CProgram::~CProgram() = default;

void CProgram::AddFile(std::unique_ptr<CSourceFile> file) {
    SourceFiles.push_back(std::move(file));
}

void CProgram::AddElement(std::unique_ptr<CType> type) {
    Elements.push_back(std::move(type));
}

void CProgram::ComputeSize(const CSizing& sizing) {
    if (Computed)
        return;
    Computed = true;
    FilesSize = FilesLines = NamespacesLines = NamespacesSize = 0;
    for (const auto& file : SourceFiles) {
        file->ComputeSize(sizing);
        FilesSize = SaturatingAdd(FilesSize, file->GetSize());
        FilesLines = SaturatingAdd(FilesLines, file->GetLines());
    }
    for (const auto& type : Elements)
        type->ComputeSize(sizing);
    for (const auto& ns : Namespaces) {
        ns->ComputeSize(sizing);
        NamespacesLines = SaturatingAdd(NamespacesLines, ns->GetLines());
        NamespacesSize = SaturatingAdd(NamespacesSize, ns->GetSize());
    }
    Lines = NamespacesLines;
    Size = NamespacesSize;
}
