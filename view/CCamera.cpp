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
    if (steps <= 0)
        KeepInside(width, height);
}

void CCamera::ZoomTo(float minX, float minY, float maxX, float maxY, int width, int height) {
    // The view spans 2 / ZoomFactor view units on each axis.
    float extent = std::max({maxX - minX, maxY - minY, 1e-6f});
    ZoomFactor = std::max(2 * (1 - 2 * ZoomToMargin) / extent, 1.0f);
    PanX = -(minX + maxX) / 2;
    PanY = -(minY + maxY) / 2;
    KeepInside(width, height);
}

void CCamera::KeepInside(int width, int height) {
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

bool CCamera::Record() {
    const CPosition& current = Steps[Current];
    if (current.ZoomFactor == ZoomFactor && current.PanX == PanX && current.PanY == PanY)
        return false;
    Steps.resize(Current + 1);
    Steps.push_back(Position());
    ++Current;
    return true;
}

void CCamera::Amend() {
    Steps[Current] = Position();
}

bool CCamera::Back() {
    if (Current == 0)
        return false;
    MoveTo(Steps[--Current]);
    return true;
}

bool CCamera::Forward() {
    if (Current + 1 >= Steps.size())
        return false;
    MoveTo(Steps[++Current]);
    return true;
}

void CCamera::MoveTo(const CPosition& position) {
    ZoomFactor = position.ZoomFactor;
    PanX = position.PanX;
    PanY = position.PanY;
}

void CCamera::ForgetHistory() {
    Steps.assign(1, Position());
    Current = 0;
}
