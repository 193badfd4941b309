#pragma once

#include "layout/CElementRect.h"
#include "model/CType.h"
#include "settings/CLooksSettings.h"

// The rectangle of a type other than a class in its scope, or of an argument type inside a
// function's rectangle.
class CTypeRect : public CElementRect<CType> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CTypeRect(CType* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::Type; }
    // The type's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CTypeRect"; }
    // Types without a scope (fundamental and derived) are drawn with TypeBorderColor and
    // TypeColor; scoped types in a group rect with EnumBorderColor and EnumColor, elsewhere with
    // MemberTypeBorderColor and MemberTypeColor.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override;
    const CColor* GetFillColor(const CLooksSettings& looks) const override;
    bool DrawsChildren() const override { return false; }
};
