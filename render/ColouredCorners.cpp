#include "render/ColouredCorners.h"

namespace {
constexpr int Floats = 6; // per corner
} // namespace

void AddColouredCorner(std::vector<float>& corners, float x, float y, const float rgba[4]) {
    corners.insert(corners.end(), {x, y, rgba[0], rgba[1], rgba[2], rgba[3]});
}

void DrawColouredCorners(GLenum mode, const std::vector<float>& corners) {
    if (corners.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, Floats * sizeof(float), corners.data());
    glColorPointer(4, GL_FLOAT, Floats * sizeof(float), corners.data() + 2);
    glDrawArrays(mode, 0, static_cast<GLsizei>(corners.size() / Floats));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
