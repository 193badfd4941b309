#pragma once

#include "model/CNsElement.h"
#include "model/CReferenceType.h"

class CPEContainer;
class CSourceFile;

// A typedef: a named type declared in a scope, aliasing BaseType.
class CAliasType : public CReferenceType, public CNsElement {
public:
    explicit CAliasType(std::string name)
        : CProgramElement(name), CReferenceType(name), CNsElement(name) {}

    // Stores the context and file, and the aliased type as BaseType.
    virtual void Link(CPEContainer* context, CSourceFile* file, CType* aliased);

    // Its own name, not the aliased type's.
    std::string GetName() const override { return Name; }
    // Size 1, lines 1, on every call.
    void ComputeSize(const CSizing& sizing) override;
    int GetTypeKind() const override { return TypeKindTypedef; }
};
