#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "model/CClassType.h"

// The rectangle of a class, struct or union.
class CClassRect : public CElementRect<CClassType> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CClassRect(CClassType* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // A container: a border band, ChildAreaFactor of the area for the children.
    bool IsContainer() const override { return true; }
    // Described as "<Kind> named <name> contains <n> fields, <n> functions and <n> types.",
    // followed by " It inherits from the following classes: { A, B }" when it has bases. Then the
    // layer line.
    std::string GetDescription() const override;
    // "CClassRect".
    const char* GetClassName() const override { return "CClassRect"; }
    // Drawn with ClassBorderColor around a cushion of ClassColor, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.ClassBorderColor;
    }
    const CColor* GetFillColor(const CLooksSettings& looks) const override {
        return &looks.ClassColor;
    }
    bool DrawsChildren() const override { return true; }

    bool RelationsShown = false; // the class relations are shown for this rectangle
};
