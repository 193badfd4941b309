#pragma once

// An axis-aligned box, always stored with its smaller corner in MinX/MinY.
class CRectPoints {
public:
    // Stores the box spanned by the two corners, whatever their order.
    void SetPoints(float x1, float y1, float x2, float y2);
    // Writes into out the point (x, y) moved into the box (each coordinate clamped to its
    // range); a point inside stays where it is.
    void ClampPoint(float x, float y, float out[2]) const;

    // MaxX - MinX and MaxY - MinY.
    float GetWidth() const { return MaxX - MinX; }
    float GetHeight() const { return MaxY - MinY; }

    float MinX = 0;
    float MinY = 0;
    float MaxX = 0;
    float MaxY = 0;
};
