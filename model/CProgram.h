#pragma once

#include "model/CProgramElement.h"

#include <memory>
#include <vector>

class CNamespace;
class CSourceFile;
class CType;

// The root of the model: owns the top-level namespaces, the source files and the
// program-level (fundamental and derived) types.
class CProgram : public CProgramElement {
public:
    CProgram();
    ~CProgram() override;

    void AddFile(std::unique_ptr<CSourceFile> file);
    void AddElement(std::unique_ptr<CType> type);

    // Once: sizes every file, type and namespace; Size and Lines become the namespace totals
    // (files are not included).
    void ComputeSize(const CSizing& sizing) override;

    std::vector<std::unique_ptr<CNamespace>> Namespaces;
    std::vector<std::unique_ptr<CSourceFile>> SourceFiles;
    std::vector<std::unique_ptr<CType>> Elements;
    // What the model holds but does not show (HideOutside): kept alive so that what is shown
    // may refer to it; nothing walks it.
    std::vector<std::unique_ptr<CProgramElement>> Hidden;
    int FilesLines = 0;
    int FilesSize = 0;
    int NamespacesLines = 0;
    int NamespacesSize = 0;
};
