#pragma once

#include "layout/CElementGroup.h"
#include "layout/CSqRectangle.h"

#include <memory>

// The rectangle of a group: the functions, fields, types or child namespaces of a scope, or
// the program's files. It owns the group it stands for. The file group alone is no group for
// the cushion: it adds a ridge of its own.
class CGroupRect : public CSqRectangle {
public:
    // group is what the rectangle stands for; see CSqRectangle for the rest.
    CGroupRect(std::unique_ptr<CElementGroup> group, float area, CSqRectangle* parent,
               CRectArea* treemap)
        : CSqRectangle(area, parent, treemap), Group(std::move(group)) {}

    ERectKind GetKind() const override { return ERectKind::Group; }
    bool IsGroup() const override { return Group->Kind != EGroupKind::File; }
    ISquarable* GetElement() const override { return Group.get(); }
    // "Group of <count> Functions." (Fields, Types, Namespaces, Files), then the layer line.
    std::string GetDescription() const override;
    // "CGrpFunctionRect", "CGrpFieldRect", "CGrpTypeRect", "CGrpNsRect" or "CGrpFileRect".
    const char* GetClassName() const override;
    // Drawn with the kind's group colour around no cushion, children drawn.
    const CColor& GetFrameColor(const CLooksSettings& looks) const override;
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }

    const CElementGroup& GetGroup() const { return *Group; }

private:
    std::unique_ptr<CElementGroup> Group; // owned
};
