#include "layout/CSqRectangle.h"

#include "base/StringPrintf.h"
#include "layout/CRectArea.h"
#include "layout/CSquareRow.h"
#include "layout/Squarify.h"

#include <cmath>

CSqRectangle::CSqRectangle(float area, CSqRectangle* parent, CRectArea* treemap)
    : Area(area), Parent(parent), Treemap(treemap) {}

CSqRectangle::~CSqRectangle() = default;

std::string CSqRectangle::GetDescription() const {
    return StringPrintf("Square layer: %i", Depth);
}

float CSqRectangle::UsableArea() const {
    float area = GetWidth() * GetHeight();
    if (IsContainer())
        area *= Treemap->GetLayout().ChildAreaFactor;
    return area;
}

void CSqRectangle::SetChildren(CRectList children) {
    Children = std::move(children);
}

void CSqRectangle::Squarify() {
    CRectPoints freeBox;
    freeBox.SetPoints(0, 0, GetWidth(), GetHeight());
    CSquareRow row;
    for (const std::unique_ptr<CSqRectangle>& child : Children) {
        CSqRectangle* c = child.get();
        if (c->Area == 0)
            continue;
        for (;;) {
            if (row.Empty()) {
                row.Append(c);
                break;
            }
            float width = freeBox.GetWidth();
            float height = freeBox.GetHeight();
            float w = height <= width ? height : width;
            if (AddsToRow(row, *c, w) > 0) {
                row.Append(c);
                break;
            }
            LayoutRow(row, freeBox);
            row.Clear();
        }
    }
    if (!row.Empty())
        LayoutRow(row, freeBox);
}

void CSqRectangle::ComputeScreenAndCushions() {
    std::vector<float> heights;
    ComputeScreenAndCushions(Treemap->GetBorderWidth(), heights);
}

void CSqRectangle::ComputeScreenAndCushions(float border, std::vector<float>& heights) {
    // A cushion needs the rectangle's own screen box and its parent's cushion only: one walk,
    // parents first, computes both.
    SetScreen(border);
    SetCushion(heights);
    for (const std::unique_ptr<CSqRectangle>& child : Children)
        child->ComputeScreenAndCushions(border, heights);
}

void CSqRectangle::SetScreen(float border) {
    if (Parent == nullptr) {
        Screen.SetPoints(-1, -1, 1, 1);
        ScaleX = ScaleY = 1;
    } else {
        const CSqRectangle& p = *Parent;
        float b = Treemap->GetLayout().ContainerBordersOnly && !p.IsContainer() ? 0 : border;
        // The children span the parent's screen box less b on every side: the scale drops by
        // 2b over the parent's layout width, and stops at 0 for a parent too small to hold them.
        float kx = b != 0 ? p.ScaleX - 2 * b / p.GetWidth() : p.ScaleX;
        float ky = b != 0 ? p.ScaleY - 2 * b / p.GetHeight() : p.ScaleY;
        if (!(kx > 0))
            kx = 0;
        if (!(ky > 0))
            ky = 0;
        float ox = p.Screen.MinX;
        float oy = p.Screen.MinY;
        Screen.SetPoints(ox + b + kx * MinX, oy + b + ky * MinY, ox + b + kx * MaxX,
                         oy + b + ky * MaxY);
        ScaleX = kx;
        ScaleY = ky;
    }
}

void CSqRectangle::SetCushion(std::vector<float>& heights) {
    if (Parent == nullptr) {
        Depth = 0;
        S2x = S2y = S1x = S1y = S0x = S0y = 0;
    } else {
        const CSqRectangle& p = *Parent;
        Depth = p.Depth + 1;
        S2x = p.S2x;
        S2y = p.S2y;
        S1x = p.S1x;
        S1y = p.S1y;
        S0x = p.S0x;
        S0y = p.S0y;
        float x1 = Screen.MinX, y1 = Screen.MinY, x2 = Screen.MaxX, y2 = Screen.MaxY;
        // Group rects add no ridge; neither does a box without width or height, whose ridge
        // would be infinite.
        if (!IsGroup() && x2 - x1 > 0 && y2 - y1 > 0) {
            // The ridge height CushionH * CushionF^depth, computed once per depth in a walk.
            const CLooksSettings& looks = Treemap->GetLooks();
            while (heights.size() <= static_cast<std::size_t>(Depth))
                heights.push_back(looks.CushionH *
                                  std::pow(looks.CushionF, static_cast<float>(heights.size())));
            float e = heights[static_cast<std::size_t>(Depth)];
            float ax = e / (x2 - x1);
            float ay = e / (y2 - y1);
            float s2x = p.S2x - ax;
            float s2y = p.S2y - ay;
            float s1x = p.S1x + ax * (x2 + x1);
            float s1y = p.S1y + ay * (y2 + y1);
            float s0x = p.S0x - ax * x2 * x1;
            float s0y = p.S0y - ay * y2 * y1;
            // A box so thin that its ridge overflows the float range adds none either.
            if (std::isfinite(s2x) && std::isfinite(s2y) && std::isfinite(s1x) &&
                std::isfinite(s1y) && std::isfinite(s0x) && std::isfinite(s0y)) {
                S2x = s2x;
                S2y = s2y;
                S1x = s1x;
                S1y = s1y;
                S0x = s0x;
                S0y = s0y;
            }
        }
    }
}

CSqRectangle* CSqRectangle::FindAt(float x, float y) {
    if (!(x >= Screen.MinX && x <= Screen.MaxX && y >= Screen.MinY && y <= Screen.MaxY))
        return nullptr;
    // The last child that holds the point wins.
    for (auto child = Children.rbegin(); child != Children.rend(); ++child) {
        if (CSqRectangle* found = (*child)->FindAt(x, y))
            return found;
    }
    return this;
}
