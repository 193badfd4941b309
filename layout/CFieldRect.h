#pragma once

#include "layout/CElementRect.h"
#include "model/CField.h"
#include "settings/CLooksSettings.h"

// The rectangle of a field or variable.
class CFieldRect : public CElementRect<CField> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CFieldRect(CField* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::Field; }
    // The field's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CFieldRect"; }
    // Members of a class are drawn with FieldBorderColor and FieldColor, variables with
    // VariableBorderColor and VariableColor.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override;
    const CColor* GetFillColor(const CLooksSettings& looks) const override;
    bool DrawsChildren() const override { return false; }
};
