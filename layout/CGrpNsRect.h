#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "layout/CNsGroup.h"

// The rectangle of the namespace group of a namespace or of the program.
class CGrpNsRect : public CElementRect<CNsGroup> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CGrpNsRect(CNsGroup* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // A group: no ridge of its own in the cushion.
    bool IsGroup() const override { return true; }
    // Described as "Group of <count> Namespaces." Then the layer line.
    std::string GetDescription() const override;
    // "CGrpNsRect".
    const char* GetClassName() const override { return "CGrpNsRect"; }
    // Drawn with NamespaceGroupColor around no cushion, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.NamespaceGroupColor;
    }
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }
};
