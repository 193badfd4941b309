#pragma once

#include "layout/CSqRectangle.h"

// A rectangle standing for one element of type T, which it borrows.
template <class T> class CElementRect : public CSqRectangle {
public:
    // The element (borrowed).
    ISquarable* GetElement() const override { return Element; }

    T* Element; // borrowed: the model owns it

protected:
    CElementRect(T* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CSqRectangle(area, parent, treemap), Element(element) {}
};
