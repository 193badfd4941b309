#pragma once

#include "layout/CElementGroup.h"

class CType;
class CPEContainer;

// The classes, enumerations and typedefs of a namespace or class.
class CTypeGroup final : public CElementGroupOf<CType> {
public:
    CTypeGroup(const std::vector<CType*>* elements, CPEContainer* owner);

    // One rectangle per element of positive weight, sized by its share of the group inside
    // rect, laid out by LayoutRects. Leaves rect and Rect alone when rect has no usable area.
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;
    std::string GetName() const override { return "Type group of "; }
};
