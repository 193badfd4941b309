#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "model/CSourceFile.h"

// The rectangle of a source file.
class CFileRect : public CElementRect<CSourceFile> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFileRect(CSourceFile* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // Described as "File <name> has a size of <n> bytes." Then the layer line.
    std::string GetDescription() const override;
    // "CFileRect".
    const char* GetClassName() const override { return "CFileRect"; }
    // Drawn with FileBorderColor around a cushion of FileColor.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.FileBorderColor;
    }
    const CColor* GetFillColor(const CLooksSettings& looks) const override {
        return &looks.FileColor;
    }
    bool DrawsChildren() const override { return false; }
    // Marks the rectangle of every element declared in the file.
    void ShowRelations(RectSelection& selection, bool on) override;
};
