#pragma once

class CRectPoints;
class CSqRectangle;
class CSquareRow;

// The gain in worst aspect ratio from adding c to row, for strip width w: worst(row) minus
// worst(row with c). Positive when c makes the row squarer. The row must not be empty.
float AddsToRow(const CSquareRow& row, const CSqRectangle& c, float w);

// Places the row as one strip inside the free box and shrinks the free box by it: a
// horizontal strip along the bottom when the box is not wider than high, else a vertical
// strip along the left side. Each rectangle's box is stored with SetPoints. In a free box
// without width or height the strip gets no thickness (its boxes are degenerate) rather than
// an infinite one.
void LayoutRow(const CSquareRow& row, CRectPoints& freeBox);
