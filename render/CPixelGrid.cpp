#include "render/CPixelGrid.h"

#include "layout/CRectPoints.h"
#include "view/CCamera.h"

#include <GL/gl.h>
#include <cmath>
#include <utility>

namespace {

// Whether [from, to] (pixels, either order) holds a centre first + k + 0.5 with 0 <= k < count.
// The margin is a 64th of a pixel, more far from the origin, where the rasteriser's single
// precision rounds more coarsely.
bool HoldsCentre(double from, double to, int first, int count) {
    if (from > to)
        std::swap(from, to);
    double margin = 1.0 / 64 + (std::fabs(from) + std::fabs(to)) * 1e-6;
    double low = std::ceil(from - margin - 0.5);
    double high = std::floor(to + margin - 0.5);
    if (low < first)
        low = first;
    if (high > first + count - 1.0)
        high = first + count - 1.0;
    // Not a number (a box out of range) counts as holding a centre: it is drawn.
    return !(low > high);
}

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
    return HoldsCentre(ScaleX * box.MinX + OffsetX, ScaleX * box.MaxX + OffsetX, Left, Width) &&
           HoldsCentre(ScaleY * box.MinY + OffsetY, ScaleY * box.MaxY + OffsetY, Bottom, Height);
}
