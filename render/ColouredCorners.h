#pragma once

#include <GL/gl.h>
#include <vector>

// Flat-coloured shapes kept in client memory as their corners, six floats each: x, y and the
// colour's red, green, blue and alpha.

// Adds the corner (x, y) in the colour rgba.
void AddColouredCorner(std::vector<float>& corners, float x, float y, const float rgba[4]);
// Draws corners as primitives of mode (GL_TRIANGLES, GL_QUADS) in one call, in the current
// matrices, untextured as the current state leaves it; leaves no array enabled.
void DrawColouredCorners(GLenum mode, const std::vector<float>& corners);
