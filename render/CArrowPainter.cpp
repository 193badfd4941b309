#include "render/CArrowPainter.h"

#include "layout/CSqRectangle.h"
#include "render/CPixelGrid.h"
#include "render/ColouredCorners.h"
#include "view/RelationArrow.h"

#include <algorithm>
#include <cmath>

void CArrowPainter::Draw(const std::list<RelationArrow>& arrows, const CPixelGrid& grid) {
    Corners.clear();
    for (const RelationArrow& arrow : arrows)
        Add(arrow, grid);
    DrawColouredCorners(GL_TRIANGLES, Corners);
}

void CArrowPainter::Add(const RelationArrow& arrow, const CPixelGrid& grid) {
    if (arrow.From == nullptr || arrow.To == nullptr)
        return;
    const CRectPoints& from = arrow.From->GetScreen();
    float startX = (from.MinX + from.MaxX) / 2;
    float startY = (from.MinY + from.MaxY) / 2;
    float end[2];
    arrow.To->GetScreen().ClampPoint(startX, startY, end);
    float dx = end[0] - startX;
    float dy = end[1] - startY;
    float length = std::sqrt(dx * dx + dy * dy);
    // A start inside the target gives the arrow no direction: nothing to draw.
    if (!(length > 0))
        return;
    float ux = dx / length;
    float uy = dy / length;
    float head = length * 0.025f + 0.02f;
    float baseX = end[0] - ux * head;
    float baseY = end[1] - uy * head;
    // The shaft: half the whole-pixel width to each side along the minor axis, in view units.
    const double halfWidth = std::max(1.0f, std::round(length * 1.5f + 3.0f)) / 2;
    float sideX = 0, sideY = 0;
    if (std::fabs(dx * grid.ScaleX) >= std::fabs(dy * grid.ScaleY))
        sideY = static_cast<float>(halfWidth / grid.ScaleY);
    else
        sideX = static_cast<float>(halfWidth / grid.ScaleX);
    AddColouredCorner(Corners, startX - sideX, startY - sideY, arrow.Color);
    AddColouredCorner(Corners, baseX - sideX, baseY - sideY, arrow.Color);
    AddColouredCorner(Corners, baseX + sideX, baseY + sideY, arrow.Color);
    AddColouredCorner(Corners, startX - sideX, startY - sideY, arrow.Color);
    AddColouredCorner(Corners, baseX + sideX, baseY + sideY, arrow.Color);
    AddColouredCorner(Corners, startX + sideX, startY + sideY, arrow.Color);
    // The head: its tip at the end, its base across the shaft.
    float acrossX = -uy * 0.5f * head;
    float acrossY = ux * 0.5f * head;
    AddColouredCorner(Corners, end[0], end[1], arrow.Color);
    AddColouredCorner(Corners, baseX + acrossX, baseY + acrossY, arrow.Color);
    AddColouredCorner(Corners, baseX - acrossX, baseY - acrossY, arrow.Color);
}
