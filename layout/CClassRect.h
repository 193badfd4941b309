#pragma once

#include "layout/CElementRect.h"
#include "model/CClassType.h"
#include "settings/CLooksSettings.h"

// The rectangle of a class, struct or union.
class CClassRect : public CElementRect<CClassType> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CClassRect(CClassType* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::Class; }
    // A container: a border band, ChildAreaFactor of the area for the children.
    bool IsContainer() const override { return true; }
    // The class's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CClassRect"; }
    // Drawn with ClassBorderColor around a cushion of ClassColor, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.ClassBorderColor;
    }
    const CColor* GetFillColor(const CLooksSettings& looks) const override {
        return &looks.ClassColor;
    }
    bool DrawsChildren() const override { return true; }
};
