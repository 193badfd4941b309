#pragma once

#include "model/CProgramElement.h"

class CPEContainer;
class CSourceFile;

// An element declared in a scope: it knows its enclosing namespace or class and its file.
class CNsElement : public virtual CProgramElement {
public:
    explicit CNsElement(std::string name) : CProgramElement(std::move(name)) {}

    virtual void SetContext(CPEContainer* context, CSourceFile* file);

    ISquarable* GetFile() const override;
    ISquarable* GetParent() const override;
    CPEContainer* GetContext() const override { return Context; }

    CPEContainer* Context = nullptr;   // borrowed; null at the top level
    CSourceFile* SourceFile = nullptr; // borrowed: the program owns files
    int Line = 0;                      // of the declaration in SourceFile; 0 when unknown
};
