#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "layout/CFieldGroup.h"

// The rectangle of the field group of a namespace or class.
class CGrpFieldRect : public CElementRect<CFieldGroup> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CGrpFieldRect(CFieldGroup* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // A group: no ridge of its own in the cushion.
    bool IsGroup() const override { return true; }
    // Described as "Group of <count> Fields." Then the layer line.
    std::string GetDescription() const override;
    // "CGrpFieldRect".
    const char* GetClassName() const override { return "CGrpFieldRect"; }
    // Drawn with FieldGroupColor around no cushion, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.FieldGroupColor;
    }
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }
};
