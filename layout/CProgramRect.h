#pragma once

#include "layout/CElementRect.h"
#include "model/CProgram.h"
#include "settings/CLooksSettings.h"

// The rectangle of the program: the root of the treemap.
class CProgramRect : public CElementRect<CProgram> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CProgramRect(CProgram* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::Program; }
    // A container: a border band, ChildAreaFactor of the area for the children.
    bool IsContainer() const override { return true; }
    // The program's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CProgramRect"; }
    // Drawn with ProgramBorderColor around a cushion of ProgramColor, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.ProgramBorderColor;
    }
    const CColor* GetFillColor(const CLooksSettings& looks) const override {
        return &looks.ProgramColor;
    }
    bool DrawsChildren() const override { return true; }
};
