#pragma once

#include "layout/CElementRect.h"
#include "model/CFunction.h"
#include "settings/CLooksSettings.h"

// The rectangle of a function or method; its children are its argument types.
class CFunctionRect : public CElementRect<CFunction> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFunctionRect(CFunction* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::Function; }
    // The function's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CFunctionRect"; }
    // Methods (the context is a class) are drawn with MethodBorderColor and MethodColor,
    // free functions with FunctionBorderColor and FunctionColor; the argument types inside.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override;
    const CColor* GetFillColor(const CLooksSettings& looks) const override;
    bool DrawsChildren() const override { return true; }
};
