#pragma once

#include "model/CType.h"

// A derived type: pointer, reference, array or function type. It has no name of its own and
// is spelled as its base type followed by " *".
class CReferenceType : public CType {
public:
    CReferenceType() : CProgramElement(""), CType("") {}

    // The base type's spelling followed by " *" once per level of derivation.
    std::string GetName() const override;
    // Size 4, lines 1, on every call.
    void ComputeSize(const CSizing& sizing) override;
    int GetTypeKind() const override { return TypeKindDerived; }
    virtual CType* GetBaseType() const { return BaseType; }

    CType* BaseType = nullptr; // borrowed: the type this one is built on

protected:
    // Constructor for typedefs, which carry a name of their own.
    explicit CReferenceType(std::string name) : CProgramElement(name), CType(name) {}
};
