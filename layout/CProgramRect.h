#pragma once

#include "layout/CElementRect.h"
#include "model/CProgram.h"

// The rectangle of the program: the root of the treemap.
class CProgramRect : public CElementRect<CProgram> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CProgramRect(CProgram* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    bool IsContainer() const override { return true; }
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CProgramRect"; }
};
