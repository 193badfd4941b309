#pragma once

// The view's conversion of window pixels into view units, which the treemap needs to express
// borders of a fixed pixel width at the current zoom. The view implements it; programs
// without a window use CFixedViewUnits.
class IViewUnits {
public:
    // The view x of window pixel column px (fractional columns allowed).
    virtual float ToViewX(float px) const = 0;

protected:
    ~IViewUnits() = default; // never deleted through this interface
};
