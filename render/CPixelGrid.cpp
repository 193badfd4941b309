#include "render/CPixelGrid.h"

#include "layout/CRectPoints.h"
#include "view/CCamera.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The margin around a shape at pixel positions from and to: a 64th of a pixel, more far from
// the origin, where the rasteriser's single precision rounds more coarsely.
double Margin(double from, double to) {
    return 1.0 / 64 + (std::fabs(from) + std::fabs(to)) * 1e-6;
}

// The pixel centres low + 0.5 ... high + 0.5 within [from, to] (pixels, either order) widened by
// the margin, with first <= low, high < first + count; none when low > high.
void CentresIn(double from, double to, int first, int count, double& low, double& high) {
    if (from > to)
        std::swap(from, to);
    double margin = Margin(from, to);
    low = std::ceil(from - margin - 0.5);
    high = std::floor(to + margin - 0.5);
    if (low < first)
        low = first;
    if (high > first + count - 1.0)
        high = first + count - 1.0;
}

// Whether [from, to] holds a centre. Not a number (a box out of range) counts as holding one:
// it is drawn.
bool HoldsCentre(double from, double to, int first, int count) {
    double low = 0, high = 0;
    CentresIn(from, to, first, count, low, high);
    return !(low > high);
}

// Boxes with more centres than this are not looked into.
constexpr double FewCentres = 16;

} // namespace

CPixelGrid CPixelGrid::OfViewport(const CCamera& camera) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    CPixelGrid grid;
    grid.Left = viewport[0];
    grid.Bottom = viewport[1];
    grid.Width = viewport[2];
    grid.Height = viewport[3];
    // Window x = Left + (zoom (x + pan) + 1) width / 2.
    grid.ScaleX = static_cast<double>(camera.ZoomFactor) * grid.Width / 2;
    grid.OffsetX =
        grid.Left + (static_cast<double>(camera.ZoomFactor) * camera.PanX + 1) * grid.Width / 2;
    grid.ScaleY = static_cast<double>(camera.ZoomFactor) * grid.Height / 2;
    grid.OffsetY =
        grid.Bottom + (static_cast<double>(camera.ZoomFactor) * camera.PanY + 1) * grid.Height / 2;
    return grid;
}

bool CPixelGrid::CoversPixelCentre(const CRectPoints& box) const {
    return CoversPixelCentre(box.MinX, box.MinY, box.MaxX, box.MaxY);
}

bool CPixelGrid::CoversPixelCentre(float minX, float minY, float maxX, float maxY) const {
    return HoldsCentre(ScaleX * minX + OffsetX, ScaleX * maxX + OffsetX, Left, Width) &&
           HoldsCentre(ScaleY * minY + OffsetY, ScaleY * maxY + OffsetY, Bottom, Height);
}

bool CPixelGrid::CoversPixelCentre(const float x[3], const float y[3]) const {
    double px[3], py[3];
    for (int i = 0; i < 3; ++i) {
        px[i] = ScaleX * x[i] + OffsetX;
        py[i] = ScaleY * y[i] + OffsetY;
    }
    double lowX = 0, highX = 0, lowY = 0, highY = 0;
    CentresIn(std::min({px[0], px[1], px[2]}), std::max({px[0], px[1], px[2]}), Left, Width, lowX,
              highX);
    CentresIn(std::min({py[0], py[1], py[2]}), std::max({py[0], py[1], py[2]}), Bottom, Height,
              lowY, highY);
    if (lowX > highX || lowY > highY)
        return false;
    if (!((highX - lowX + 1) * (highY - lowY + 1) <= FewCentres))
        return true; // many centres, or not a number: drawn
    // Each centre against the three edges, facing the inside whatever the winding.
    double area = (px[1] - px[0]) * (py[2] - py[0]) - (py[1] - py[0]) * (px[2] - px[0]);
    double facing = area < 0 ? -1 : 1;
    double margin = Margin(std::min({px[0], py[0]}), std::max({px[0], py[0]}));
    for (double cy = lowY + 0.5; cy <= highY + 0.5; ++cy) {
        for (double cx = lowX + 0.5; cx <= highX + 0.5; ++cx) {
            bool inside = true;
            for (int i = 0; i < 3 && inside; ++i) {
                int j = (i + 1) % 3;
                double dx = px[j] - px[i], dy = py[j] - py[i];
                double side = facing * (dx * (cy - py[i]) - dy * (cx - px[i]));
                inside = side >= -margin * std::sqrt(dx * dx + dy * dy);
            }
            if (inside)
                return true;
        }
    }
    return false;
}
