#pragma once

#include "model/CPEContainer.h"

#include <memory>
#include <vector>

class CProgram;

// A namespace: a scope that also holds child namespaces.
class CNamespace : public CPEContainer {
public:
    explicit CNamespace(std::string name);
    ~CNamespace() override;

    // Stores parent as the context, clears the file and stores the program.
    virtual void SetParent(CNamespace* parent, CProgram* program);

    bool Contains(const CProgramElement* element) const override;
    bool IsClass() const override { return false; }
    // The parent namespace; the program for a top-level namespace.
    ISquarable* GetParent() const override;
    // Once: sizes the members and then the child namespaces, adding their sums.
    void ComputeSize(const CSizing& sizing) override;

    std::vector<std::unique_ptr<CNamespace>> Namespaces;
    int NamespacesLines = 0;
    int NamespacesSize = 0;
    CProgram* Program = nullptr; // borrowed
};
