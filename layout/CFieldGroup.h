#pragma once

#include "layout/CElementGroup.h"

class CField;
class CPEContainer;

// The fields of a namespace or class, or the variables of a namespace.
class CFieldGroup final : public CElementGroupOf<CField> {
public:
    CFieldGroup(const std::vector<CField*>* elements, CPEContainer* owner);

    // One rectangle per element of positive weight, sized by its share of the group inside
    // rect, laid out by LayoutRects. Leaves rect and Rect alone when rect has no usable area.
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;
    std::string GetName() const override { return "Field group of "; }
};
