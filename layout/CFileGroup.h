#pragma once

#include "layout/CElementGroup.h"

class CSourceFile;
class CProgram;

// The source files of the program.
class CFileGroup final : public CElementGroupOf<CSourceFile> {
public:
    CFileGroup(const std::vector<CSourceFile*>* elements, CProgram* owner);

    // One rectangle per element of positive weight, sized by its share of the group inside
    // rect, laid out by LayoutRects. Leaves rect and Rect alone when rect has no usable area.
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;
    std::string GetName() const override { return "File group of "; }
};
