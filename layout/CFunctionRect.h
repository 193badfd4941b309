#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "model/CFunction.h"

// The rectangle of a function or method; its children are its argument types.
class CFunctionRect : public CElementRect<CFunction> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFunctionRect(CFunction* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // Described as "Method <return> <name>(<arguments>) is a member of the <Kind> <class> in
    // its <access> interface, has <n> lines of code." for members, else "Function <return>
    // <name>(<arguments>) has <n> lines of code." Then the layer line.
    std::string GetDescription() const override;
    // "CFunctionRect".
    const char* GetClassName() const override { return "CFunctionRect"; }
    // Methods (the context is a class) are drawn with MethodBorderColor and MethodColor,
    // free functions with FunctionBorderColor and FunctionColor; the argument types inside.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override;
    const CColor* GetFillColor(const CLooksSettings& looks) const override;
    bool DrawsChildren() const override { return true; }
    // Marks the rectangles of the return type, of the declarations of the argument types (a
    // fundamental argument type is left out, a derived one stands for its base type) and of
    // the function's file.
    void ShowRelations(RectSelection& selection, bool on) override;
};
