#pragma once

#include "layout/CElementRect.h"
#include "model/CFunction.h"

// The rectangle of a function or method; its children are its argument types.
class CFunctionRect : public CElementRect<CFunction> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFunctionRect(CFunction* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CFunctionRect"; }
};
