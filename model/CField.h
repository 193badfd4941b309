#pragma once

#include "model/CFunction.h"
#include "model/CNsElement.h"

class CType;

// A data member of a class, or a variable of a namespace.
class CField : public CNsElement {
public:
    explicit CField(std::string name) : CProgramElement(name), CNsElement(name) {}

    virtual void Link(CPEContainer* context, CSourceFile* file, CType* type, int access);

    // Size and lines of the declared type.
    void ComputeSize(const CSizing& sizing) override;

    int Access = AccessPublic;
    CType* Type = nullptr; // borrowed
};
