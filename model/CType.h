#pragma once

#include "model/CProgramElement.h"

#include <memory>

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

    // Makes the type's own rectangle inside parent: a CTypeRect whose area is parent's usable
    // area x (the type's size / total). Null when the type weighs 0 (or total is not
    // positive). The caller owns the result.
    virtual std::unique_ptr<CSqRectangle> CreateRect(float total, CSqRectangle* parent,
                                                     CRectArea* treemap);
    virtual int GetTypeKind() const = 0;
};
