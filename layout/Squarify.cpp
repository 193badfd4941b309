#include "layout/Squarify.h"

#include "layout/CSqRectangle.h"
#include "layout/CSquareRow.h"

#include <cmath>

float AddsToRow(const CSquareRow& row, const CSqRectangle& c, float w) {
    return row.Worst(w) - row.WorstWith(c.Area, w);
}

void LayoutRow(const CSquareRow& row, CRectPoints& freeBox) {
    float width = freeBox.GetWidth();
    float height = freeBox.GetHeight();
    bool vertical = width > height;
    float s = row.Sum;
    float thickness = vertical ? (width / (width * height)) * s : (height / (width * height)) * s;
    if (!std::isfinite(thickness))
        thickness = 0;
    float x = freeBox.MinX;
    float y = freeBox.MinY;
    float x2 = x;
    float y2 = y;
    for (CSqRectangle* r : row.Rects) {
        float f = (1 / s) * r->Area;
        if (vertical) {
            x2 = x + thickness;
            y2 = y + height * f;
            r->SetPoints(x, y, x2, y2);
            y = y2;
        } else {
            x2 = x + width * f;
            y2 = y + thickness;
            r->SetPoints(x, y, x2, y2);
            x = x2;
        }
    }
    if (vertical)
        freeBox.SetPoints(x2, freeBox.MinY, freeBox.MaxX, freeBox.MaxY);
    else
        freeBox.SetPoints(freeBox.MinX, y2, freeBox.MaxX, freeBox.MaxY);
}
