#pragma once

#include "settings/CLooksSettings.h"

#include "layout/CElementRect.h"
#include "model/CNamespace.h"

// The rectangle of a namespace.
class CNamespaceRect : public CElementRect<CNamespace> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CNamespaceRect(CNamespace* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    // A container: a border band, ChildAreaFactor of the area for the children.
    bool IsContainer() const override { return true; }
    // Described as "The namespace named <name> contains <n> fields, <n> functions, <n> types
    // and <n> namespaces." Then the layer line.
    std::string GetDescription() const override;
    // "CNamespaceRect".
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
