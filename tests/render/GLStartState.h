#pragma once

#include <GL/gl.h>

// The fragment program bound in the current context.
GLint BoundProgram();

// Checks the state a started surface leaves in the current context: normal bound, the
// clear colour (0.8, 0.8, 0.8, 0), fragment programs off, and both environment-parameter
// entry points found.
void ExpectStartState(GLuint normal);
