#pragma once

#include <vector>

class CSqRectangle;

// The row being filled by the squarified layout: its rectangles (borrowed) with the running
// sum, smallest and largest of their areas. The figures are kept as rectangles are appended,
// in row order, so they equal a scan of the row without repeating it for every candidate.
class CSquareRow {
public:
    // True when the row holds no rectangle.
    bool Empty() const { return Rects.empty(); }
    // Appends r: its area is added to the sum, replaces the smallest when strictly smaller and
    // the largest when strictly larger.
    void Append(CSqRectangle* r);
    // Empties the row.
    void Clear();

    // The row's worst aspect ratio for strip width w: the larger of (w amax w) / s^2 and
    // s^2 / (w amin w). The row must not be empty.
    float Worst(float w) const;
    // The same for the row with one more rectangle of the given area, which replaces the
    // smallest when strictly smaller and the largest when at least as large.
    float WorstWith(float area, float w) const;

    std::vector<CSqRectangle*> Rects; // borrowed: the parent owns them
    float Sum = 0;
    float Smallest = 0;
    float Largest = 0;
};
