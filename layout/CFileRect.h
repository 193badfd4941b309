#pragma once

#include "layout/CElementRect.h"
#include "model/CSourceFile.h"
#include "settings/CLooksSettings.h"

// The rectangle of a source file.
class CFileRect : public CElementRect<CSourceFile> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFileRect(CSourceFile* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::File; }
    // The file's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CFileRect"; }
    // Drawn with FileBorderColor around a cushion of FileColor.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.FileBorderColor;
    }
    const CColor* GetFillColor(const CLooksSettings& looks) const override {
        return &looks.FileColor;
    }
    bool DrawsChildren() const override { return false; }
};
