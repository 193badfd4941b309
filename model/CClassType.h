#pragma once

#include "model/CPEContainer.h"
#include "model/CType.h"

#include <vector>

class CSourceFile;

// A class, struct or union: a scope that is also a type.
class CClassType : public CPEContainer, public CType {
public:
    explicit CClassType(std::string name)
        : CProgramElement(name), CPEContainer(name), CType(name) {}

    // Stores the context, the file, the direct bases and the front end's tag.
    virtual void Link(CPEContainer* context, CSourceFile* file, std::vector<CClassType*> bases,
                      std::string kind);

    bool IsClass() const override { return true; }
    // "Class", "Struct" or "Union".
    std::string GetKind() const { return Kind; }
    int GetTypeKind() const override { return TypeKindClass; }
    // Once: sums the members. The flag is set first, so a class reached again while its own
    // sums are computed answers with what it has so far.
    void ComputeSize(const CSizing& sizing) override;

    // True when one of this class's direct bases is base or derives from it, searched depth
    // first in base order. A class reached twice (shared or cyclic bases) is searched once, so
    // crafted cycles end; a class derives from itself only through such a cycle.
    bool DerivesFrom(const CClassType* base) const;

    std::vector<CClassType*> Bases; // the classes are borrowed
    std::string Kind;
};
