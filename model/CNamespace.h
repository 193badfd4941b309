#pragma once

#include "model/CPEContainer.h"

#include <vector>

class CNsGroup;
class CProgram;

// A namespace: a scope that also holds child namespaces.
class CNamespace : public CPEContainer {
public:
    explicit CNamespace(std::string name);
    // Destroys the child namespaces and their group, then the members (CPEContainer).
    ~CNamespace() override;

    // Stores parent as the context, clears the file and stores the program.
    virtual void SetParent(CNamespace* parent, CProgram* program);

    bool Contains(const CProgramElement* element) const override;
    bool IsClass() const override { return false; }
    // The parent namespace; the program for a top-level namespace.
    ISquarable* GetParent() const override;
    void ComputeSize() override;
    void ReleaseChildLists() override;
    // Stores the rectangle; lays out the child namespaces in one group rect (whatever
    // Subdivide says), then the members (FillRect).
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;

    std::vector<CNamespace*> Namespaces; // owned
    int NamespacesLines = 0;
    int NamespacesSize = 0;
    CNsGroup* NamespaceGroup = nullptr; // owned; null until ComputeSize
    CProgram* Program = nullptr;        // borrowed
};
