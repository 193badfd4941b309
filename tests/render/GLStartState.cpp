#include "GLStartState.h"

#include "render/GLEntryPoints.h"

#include <gtest/gtest.h>

GLint BoundProgram() {
    auto getProgramiv = LookupGLFunction<PFNGLGETPROGRAMIVARBPROC>("glGetProgramivARB");
    GLint binding = -1;
    getProgramiv(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_BINDING_ARB, &binding);
    return binding;
}

void ExpectStartState(GLuint normal) {
    EXPECT_EQ(static_cast<GLint>(normal), BoundProgram());
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(0.8f, clear[0]);
    EXPECT_FLOAT_EQ(0.8f, clear[1]);
    EXPECT_FLOAT_EQ(0.8f, clear[2]);
    EXPECT_FLOAT_EQ(0.0f, clear[3]);
    EXPECT_FALSE(glIsEnabled(GL_FRAGMENT_PROGRAM_ARB));
    EXPECT_NE(nullptr, SetEnvParameter);
    EXPECT_NE(nullptr, GetEnvParameter);
}
