#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "model/CField.h"

// The rectangle of a data member or a namespace variable.
class CFieldRect : public CElementRect<CField> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFieldRect(CField* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // Described as "Field <name> is a member of the <Kind> <class> in its <access> interface,
    // is of type <type> with size <n>." for members, else "Variable <name> is of type <type>
    // with size <n>." Then the layer line.
    std::string GetDescription() const override;
    // "CFieldRect".
    const char* GetClassName() const override { return "CFieldRect"; }
    // Data members are drawn with FieldBorderColor and FieldColor, variables of a namespace
    // with VariableBorderColor and VariableColor.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override;
    const CColor* GetFillColor(const CLooksSettings& looks) const override;
    bool DrawsChildren() const override { return false; }
    // Marks the rectangles of the field's type and of its file.
    void ShowRelations(RectSelection& selection, bool on) override;
};
