#pragma once

#include "layout/CElementGroup.h"

class CNamespace;
class CProgram;

// The child namespaces of a namespace, or the top-level namespaces of the program.
class CNsGroup final : public CElementGroupOf<CNamespace> {
public:
    CNsGroup(const std::vector<CNamespace*>* elements, CNamespace* owner);
    CNsGroup(const std::vector<CNamespace*>* elements, CProgram* owner);

    // One rectangle per element of positive weight, sized by its share of the group inside
    // rect, laid out by LayoutRects. Leaves rect and Rect alone when rect has no usable area.
    void SetRect(CSqRectangle* rect, CRectArea* treemap) override;
    std::string GetName() const override { return "Namespace group of "; }
};
