#pragma once

#include "model/CNsElement.h"
#include "model/CType.h"

// An enumeration declared in a scope.
class CEnumType : public CType, public CNsElement {
public:
    explicit CEnumType(std::string name) : CProgramElement(name), CType(name), CNsElement(name) {}

    // Size 4, lines 1, on every call.
    void ComputeSize(const CSizing&) override {
        Size = 4;
        Lines = 1;
    }
    int GetTypeKind() const override { return TypeKindEnumeration; }
};
