#pragma once

#include "layout/CSqRectangle.h"

// A rectangle standing for one element or group of type T, which it borrows. T has the
// element's GetRect and a public Rect.
template <class T> class CElementRect : public CSqRectangle {
public:
    // The element (borrowed).
    ISquarable* GetElement() const override { return Element; }

    T* Element; // borrowed: the model owns it

protected:
    CElementRect(T* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CSqRectangle(area, parent, treemap), Element(element) {}
    // Clears the element's Rect when it still names this rectangle, so that no element keeps
    // pointing into a destroyed tree. The element must still exist.
    ~CElementRect() override {
        if (Element != nullptr && Element->GetRect() == this)
            Element->Rect = nullptr;
    }
};
