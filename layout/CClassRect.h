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
    // Marks the rectangles of the subclasses (every class deriving from this one), of the
    // direct bases and of the file, and shows the inheritance arrows: up through all
    // ancestors from this class, and from every subclass towards its own bases. Taking the
    // relations back (off) also empties the view's arrows.
    void ShowRelations(RectSelection& selection, bool on) override;
    // Shows (on) the arrows from this class to each direct base, coloured SpareColor2 when
    // going up from the class whose relations are shown (up) and SpareColor1 from a subclass,
    // then those of the bases in turn; off only clears RelationsShown along the same chain.
    // Stops at once when RelationsShown already equals on.
    void ShowArrows(RectSelection& selection, bool on, bool up);

    bool RelationsShown = false; // the class relations are shown for this rectangle
};
