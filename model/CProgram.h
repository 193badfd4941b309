#pragma once

#include "model/CProgramElement.h"

#include <vector>

class CFileGroup;
class CNamespace;
class CNsGroup;
class CSourceFile;
class CType;

// The root of the model: owns the top-level namespaces, the source files and the
// program-level (fundamental and derived) types.
class CProgram : public CProgramElement {
public:
    CProgram() : CProgramElement("Program") {}
    // Destroys the types, then the namespaces, then the files, then the two groups.
    ~CProgram() override;

    void AddFile(CSourceFile* file) { SourceFiles.push_back(file); }
    void AddElement(CType* type) { Elements.push_back(type); }

    // Once: sizes every file, type and namespace; Size and Lines become the namespace totals
    // (files are not included); creates the file and namespace groups.
    void ComputeSize() override;
    // Forgets every element without destroying it.
    void ReleaseChildLists() override;
    // Stores the rectangle and lays out the file group rect and the namespace group rect (or,
    // with Subdivide off, the top-level namespaces) inside it.
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;

    std::vector<CNamespace*> Namespaces;   // owned
    std::vector<CSourceFile*> SourceFiles; // owned
    std::vector<CType*> Elements;          // owned
    int FilesLines = 0;
    int FilesSize = 0;
    int NamespacesLines = 0;
    int NamespacesSize = 0;
    CFileGroup* FileGroup = nullptr;    // owned; null until ComputeSize
    CNsGroup* NamespaceGroup = nullptr; // owned; null until ComputeSize
};
