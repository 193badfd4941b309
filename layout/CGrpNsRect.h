#pragma once

#include "layout/CElementRect.h"
#include "layout/CNsGroup.h"

// The rectangle of the namespace group of a namespace or of the program.
class CGrpNsRect : public CElementRect<CNsGroup> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CGrpNsRect(CNsGroup* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    bool IsGroup() const override { return true; }
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CGrpNsRect"; }
};
