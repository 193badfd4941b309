#pragma once

class CClassType;

// Passes a class by its direct bases and its ancestry.
class CClassCriterion {
public:
    // True when DirectBase is null or one of the class's direct bases, and Ancestor is null or
    // the class derives from it (CClassType::DerivesFrom).
    bool Passes(const CClassType* candidate) const;

    CClassType* DirectBase = nullptr; // borrowed; null matches any class
    CClassType* Ancestor = nullptr;   // borrowed; null matches any class
};
