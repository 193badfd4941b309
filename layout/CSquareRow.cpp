#include "layout/CSquareRow.h"

#include "layout/CSqRectangle.h"

namespace {

float WorstOf(float sum, float smallest, float largest, float w) {
    float s2 = sum * sum;
    float wide = (w * largest * w) / s2;
    float narrow = s2 / (w * smallest * w);
    return wide > narrow ? wide : narrow;
}

} // namespace

void CSquareRow::Append(CSqRectangle* r) {
    float area = r->Area;
    if (Rects.empty()) {
        Sum = Smallest = Largest = area;
    } else {
        Sum += area;
        if (area < Smallest)
            Smallest = area;
        if (area > Largest)
            Largest = area;
    }
    Rects.push_back(r);
}

void CSquareRow::Clear() {
    Rects.clear();
    Sum = Smallest = Largest = 0;
}

float CSquareRow::Worst(float w) const {
    return WorstOf(Sum, Smallest, Largest, w);
}

float CSquareRow::WorstWith(float area, float w) const {
    float smallest = area < Smallest ? area : Smallest;
    float largest = area >= Largest ? area : Largest;
    return WorstOf(Sum + area, smallest, largest, w);
}
