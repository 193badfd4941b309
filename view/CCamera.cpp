#include "view/CCamera.h"

#include <algorithm>

void CCamera::ToView(float px, float py, int width, int height, float& x, float& y) const {
    float w = static_cast<float>(std::max(width, 1));
    float h = static_cast<float>(std::max(height, 1));
    x = ((2 * px / w) - 1) / ZoomFactor - PanX;
    y = (1 - (2 * py / h)) / ZoomFactor - PanY;
}

void CCamera::Zoom(int steps, int px, int py, int width, int height) {
    float fx = static_cast<float>(px), fy = static_cast<float>(py);
    float a0, b0, a1, b1;
    ToView(fx, fy, width, height, a0, b0);
    ZoomFactor = std::max(ZoomFactor + static_cast<float>(steps), 1.0f);
    ToView(fx, fy, width, height, a1, b1);
    // The point under the mouse stays put.
    PanX += a1 - a0;
    PanY += b1 - b0;
    if (steps <= 0) {
        // Zooming out pulls the visible area back inside the tree.
        float left, top, right, bottom;
        ToView(0, 0, width, height, left, top);
        ToView(static_cast<float>(width), static_cast<float>(height), width, height, right, bottom);
        if (left < -1)
            PanX += left + 1;
        if (bottom < -1)
            PanY += bottom + 1;
        if (right > 1)
            PanX += right - 1;
        if (top > 1)
            PanY += top - 1;
    }
}

void CCamera::Pan(float dx, float dy) {
    PanX += dx;
    PanY += dy;
}

bool CCamera::Reset() {
    bool zoomed = ZoomFactor != 1;
    PanX = PanY = 0;
    ZoomFactor = 1;
    return zoomed;
}
