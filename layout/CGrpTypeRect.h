#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "layout/CTypeGroup.h"

// The rectangle of the type group of a namespace or class.
class CGrpTypeRect : public CElementRect<CTypeGroup> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CGrpTypeRect(CTypeGroup* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // A group: no ridge of its own in the cushion.
    bool IsGroup() const override { return true; }
    // Described as "Group of <count> Types." Then the layer line.
    std::string GetDescription() const override;
    // "CGrpTypeRect".
    const char* GetClassName() const override { return "CGrpTypeRect"; }
    // Drawn with TypeGroupColor around no cushion, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.TypeGroupColor;
    }
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }
};
