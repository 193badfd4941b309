#pragma once

#include "layout/CElementRect.h"
#include "model/CClassType.h"

// The rectangle of a class, struct or union.
class CClassRect : public CElementRect<CClassType> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CClassRect(CClassType* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    bool IsContainer() const override { return true; }
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CClassRect"; }

    bool RelationsShown = false; // the class relations are shown for this rectangle
};
