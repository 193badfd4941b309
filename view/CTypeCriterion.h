#pragma once

class CType;

// Passes one type object, by identity (not by name).
class CTypeCriterion {
public:
    bool Passes(const CType* type) const { return type == Type; }

    CType* Type = nullptr; // borrowed
};
