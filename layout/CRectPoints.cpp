#include "layout/CRectPoints.h"

void CRectPoints::SetPoints(float x1, float y1, float x2, float y2) {
    MinX = x1 < x2 ? x1 : x2;
    MaxX = x1 < x2 ? x2 : x1;
    MinY = y1 < y2 ? y1 : y2;
    MaxY = y1 < y2 ? y2 : y1;
}

void CRectPoints::ClampPoint(float x, float y, float out[2]) const {
    out[0] = x < MinX ? MinX : (x > MaxX ? MaxX : x);
    out[1] = y < MinY ? MinY : (y > MaxY ? MaxY : y);
}
