#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "layout/CFunctionGroup.h"

// The rectangle of the function group of a namespace or class.
class CGrpFunctionRect : public CElementRect<CFunctionGroup> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CGrpFunctionRect(CFunctionGroup* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // A group: no ridge of its own in the cushion.
    bool IsGroup() const override { return true; }
    // Described as "Group of <count> Functions." Then the layer line.
    std::string GetDescription() const override;
    // "CGrpFunctionRect".
    const char* GetClassName() const override { return "CGrpFunctionRect"; }
    // Drawn with FunctionGroupColor around no cushion, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.FunctionGroupColor;
    }
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }
};
