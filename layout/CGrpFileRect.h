#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "layout/CFileGroup.h"

// The rectangle of the program's file group. Unlike the other group rectangles it is no group
// for the cushion: it adds a ridge of its own.
class CGrpFileRect : public CElementRect<CFileGroup> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CGrpFileRect(CFileGroup* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // Described as "Group of <count> Files." Then the layer line.
    std::string GetDescription() const override;
    // "CGrpFileRect".
    const char* GetClassName() const override { return "CGrpFileRect"; }
    // Drawn with FileGroupColor around no cushion, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.FileGroupColor;
    }
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }
};
