#pragma once

class CClassType;

// Passes a class by its direct bases and its ancestry.
class CClassCriterion {
public:
    // True when DirectBase is null or one of the class's direct bases, and Ancestor is null or
    // the class derives from it.
    bool Passes(const CClassType* candidate) const;

    // True when one of derived's direct bases is base or derives from it, searched depth first
    // in base order. A class reached twice (shared or cyclic bases) is searched once, so
    // crafted cycles end; a class derives from itself only through such a cycle.
    static bool DerivesFrom(const CClassType* derived, const CClassType* base);

    CClassType* DirectBase = nullptr; // borrowed; null matches any class
    CClassType* Ancestor = nullptr;   // borrowed; null matches any class
};
