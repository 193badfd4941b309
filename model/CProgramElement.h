#pragma once

#include "model/ISquarable.h"

#include <string>

class CPEContainer;
class CSizing;

// The base of every program element: name and measures.
class CProgramElement : public ISquarable {
public:
    explicit CProgramElement(std::string name) : Name(std::move(name)) {}
    CProgramElement(const CProgramElement&) = delete;
    CProgramElement& operator=(const CProgramElement&) = delete;

    int GetSize() const override { return Size; }
    int GetLines() const override { return Lines; }
    std::string GetName() const override { return Name; }
    ISquarable* GetFile() const override { return nullptr; }
    ISquarable* GetParent() const override { return nullptr; }

    virtual ~CProgramElement() = default;
    // Fills Size and Lines, computing first every element this one sums over.
    virtual void ComputeSize(const CSizing& sizing) = 0;
    // The enclosing namespace or class; null by default.
    virtual CPEContainer* GetContext() const { return nullptr; }

    std::string Name;
    int Size = 0;
    int Lines = 0;
    bool Computed = false; // set by the kinds that compute only once
};
