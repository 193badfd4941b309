#pragma once

#include "layout/CElementGroup.h"

class CFunction;
class CPEContainer;

// The functions of a namespace or class.
class CFunctionGroup final : public CElementGroupOf<CFunction> {
public:
    CFunctionGroup(const std::vector<CFunction*>* elements, CPEContainer* owner);

    // One rectangle per element of positive weight, sized by its share of the group inside
    // rect, laid out by LayoutRects. Leaves rect and Rect alone when rect has no usable area.
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;
    std::string GetName() const override { return "Function group of "; }
};
