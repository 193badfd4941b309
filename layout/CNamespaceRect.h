#pragma once

#include "layout/CElementRect.h"
#include "model/CNamespace.h"
#include "settings/CLooksSettings.h"

// The rectangle of a namespace.
class CNamespaceRect : public CElementRect<CNamespace> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CNamespaceRect(CNamespace* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    ERectKind GetKind() const override { return ERectKind::Namespace; }
    // A container: a border band, ChildAreaFactor of the area for the children.
    bool IsContainer() const override { return true; }
    // The namespace's description, then the layer line.
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CNamespaceRect"; }
    // Drawn with NamespaceBorderColor around a cushion of NamespaceColor, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.NamespaceBorderColor;
    }
    const CColor* GetFillColor(const CLooksSettings& looks) const override {
        return &looks.NamespaceColor;
    }
    bool DrawsChildren() const override { return true; }
};
