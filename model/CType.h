#pragma once

#include "model/CProgramElement.h"

// Type kinds, as GetTypeKind reports them.
enum TypeKind : int {
    TypeKindClass = 0,
    TypeKindEnumeration = 1,
    TypeKindTypedef = 2,
    TypeKindFundamental = 3,
    TypeKindDerived = 4,
};

// Every C++ type the front end reports.
class CType : public virtual CProgramElement {
public:
    explicit CType(std::string name) : CProgramElement(std::move(name)) {}

    virtual int GetTypeKind() const = 0;
};
