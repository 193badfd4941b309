#include "layout/CSqRectangle.h"

#include "base/StringPrintf.h"
#include "layout/CRectArea.h"
#include "layout/CSquareRow.h"
#include "layout/Squarify.h"

#include <cmath>

CSqRectangle::CSqRectangle(float area, CSqRectangle* parent, CRectArea* treemap)
    : Area(area), Parent(parent), Treemap(treemap),
      Depth(parent != nullptr ? parent->Depth + 1 : 0) {}

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

void CSqRectangle::Refresh() const {
    if (ScreenVersion == Treemap->GetScreenVersion())
        return;
    // Ancestors first: a box follows from its parent's. As deep as the tree, like every walk
    // of it.
    if (Parent != nullptr)
        Parent->Refresh();
    Compute();
}

void CSqRectangle::Compute() const {
    ScreenVersion = Treemap->GetScreenVersion();
    if (Parent == nullptr) {
        Screen.SetPoints(-1, -1, 1, 1);
        ScaleX = ScaleY = 1;
        Cushion = CSurface();
        return;
    }
    const CSqRectangle& p = *Parent;
    float b = Treemap->GetLayout().ContainerBordersOnly && !p.IsContainer()
                  ? 0
                  : Treemap->GetScreenBorder();
    // The children span the parent's screen box less b on every side: the scale drops by 2b
    // over the parent's layout width, and stops at 0 for a parent too small to hold them.
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

    Cushion = p.Cushion;
    float x1 = Screen.MinX, y1 = Screen.MinY, x2 = Screen.MaxX, y2 = Screen.MaxY;
    // Group rects add no ridge; neither does a box without width or height, whose ridge would
    // be infinite.
    if (IsGroup() || !(x2 - x1 > 0 && y2 - y1 > 0))
        return;
    float e = Treemap->GetRidgeHeight(Depth);
    float ax = e / (x2 - x1);
    float ay = e / (y2 - y1);
    const CSurface& q = p.Cushion;
    CSurface ridged;
    ridged.S2x = q.S2x - ax;
    ridged.S2y = q.S2y - ay;
    ridged.S1x = q.S1x + ax * (x2 + x1);
    ridged.S1y = q.S1y + ay * (y2 + y1);
    ridged.S0x = q.S0x - ax * x2 * x1;
    ridged.S0y = q.S0y - ay * y2 * y1;
    // A box so thin that its ridge overflows the float range adds none either.
    if (std::isfinite(ridged.S2x) && std::isfinite(ridged.S2y) && std::isfinite(ridged.S1x) &&
        std::isfinite(ridged.S1y) && std::isfinite(ridged.S0x) && std::isfinite(ridged.S0y))
        Cushion = ridged;
}

CSqRectangle* CSqRectangle::FindAt(float x, float y) {
    const CRectPoints& screen = GetScreen();
    if (!(x >= screen.MinX && x <= screen.MaxX && y >= screen.MinY && y <= screen.MaxY))
        return nullptr;
    // The last child that holds the point wins.
    for (auto child = Children.rbegin(); child != Children.rend(); ++child) {
        if (CSqRectangle* found = (*child)->FindAt(x, y))
            return found;
    }
    return this;
}
