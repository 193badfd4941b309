#include "render/COffscreenContext.h"
#include "render/GLEntryPoints.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct CColor4 {
    float R, G, B, A;
};

// The four environment parameters of the programs.
struct CEnvironment {
    GLfloat E[4][4];
};

// Cushion gradient that tilts the normal a lot across the quad, so that the cosine runs from
// negative to positive, under a low light from the side.
CEnvironment SlopedCushion(float ambient, float factor, float brightness, float highlight) {
    const float lx = 0.9f, ly = -0.3f, lz = 0.4f;
    const float length = std::sqrt(lx * lx + ly * ly + lz * lz);
    return CEnvironment{{{4.0f, 3.0f, 0.0f, 0.0f},
                         {-0.5f, 0.25f, 1.0f, 0.0f},
                         {ambient, factor, brightness, highlight},
                         {lx / length, ly / length, lz / length, 0.0f}}};
}

// What the programs compute at one position, in single precision.
struct CFragment {
    float N[3]; // the (unnormalised) normal
    float R;    // 1 / |N|
    float C;    // cosine between the normal and the light
};

CFragment Evaluate(const CEnvironment& env, float s, float t) {
    const float u = 2 * s - 1, v = 2 * t - 1;
    const GLfloat(&E)[4][4] = env.E;
    CFragment f;
    f.N[0] = E[0][0] * u + E[1][0];
    f.N[1] = E[0][1] * v + E[1][1];
    f.N[2] = 1.0f;
    const float d = f.N[0] * E[3][0] + f.N[1] * E[3][1] + f.N[2] * E[3][2];
    f.R = 1.0f / std::sqrt(f.N[0] * f.N[0] + f.N[1] * f.N[1] + f.N[2] * f.N[2]);
    f.C = f.R * d;
    return f;
}

using CReference =
    std::function<void(const CEnvironment&, const CColor4&, float s, float t, float out[3])>;

// An offscreen context after the start-up, which draws one quad over the whole framebuffer
// with texture coordinates 0..1 and a colour, through one program, and compares every pixel
// with a reference.
class CFragmentProgramTest : public testing::Test {
protected:
    static constexpr int Width = 64;
    static constexpr int Height = 48;

    void SetUp() override {
        ASSERT_TRUE(GL.Create(Width, Height)) << GL.GetError();
        ASSERT_TRUE(GL.InitGL());
    }

    void DrawQuad(EFragmentProgram program, const CEnvironment& env, const CColor4& colour) {
        ASSERT_TRUE(GL.BindProgram(program));
        glEnable(GL_FRAGMENT_PROGRAM_ARB);
        for (GLuint i = 0; i < 4; ++i)
            SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, i, env.E[i]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor4f(colour.R, colour.G, colour.B, colour.A);
        glBegin(GL_QUADS);
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& corner : corners) {
            glTexCoord2f((corner[0] + 1) * 0.5f, (corner[1] + 1) * 0.5f);
            glVertex2f(corner[0], corner[1]);
        }
        glEnd();
        glDisable(GL_FRAGMENT_PROGRAM_ARB);
        ASSERT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    }

    // Every pixel within 1/255 of the reference at the pixel's centre, alpha 1. Reports the
    // first pixel that differs.
    void ExpectPixels(const CEnvironment& env, const CColor4& colour, const CReference& reference) {
        const std::vector<unsigned char> pixels = GL.ReadPixels();
        ASSERT_EQ(static_cast<size_t>(Width * Height * 4), pixels.size());
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) {
                const float s = (x + 0.5f) / Width, t = (y + 0.5f) / Height;
                float expected[3];
                reference(env, colour, s, t, expected);
                const unsigned char* got = &pixels[(y * Width + x) * 4];
                for (int i = 0; i < 3; ++i) {
                    const float want = std::clamp(expected[i], 0.0f, 1.0f) * 255.0f;
                    ASSERT_NEAR(want, got[i], 1.0)
                        << "pixel (" << x << ", " << y << ") channel " << i;
                }
                ASSERT_EQ(255, got[3]) << "pixel (" << x << ", " << y << ") alpha";
            }
    }

    COffscreenContext GL;
};

void NormalReference(const CEnvironment& env, const CColor4& col, float s, float t, float out[3]) {
    const CFragment f = Evaluate(env, s, t);
    const float L = std::max(0.0f, f.C) * env.E[2][1] + env.E[2][0];
    const float colour[3] = {col.R, col.G, col.B};
    for (int i = 0; i < 3; ++i) {
        const float F = L * colour[i];
        out[i] = F + env.E[2][3] * std::pow(F, 0.85f);
    }
}

void SpecularReference(const CEnvironment& env, const CColor4& col, float s, float t,
                       float out[3]) {
    const CFragment f = Evaluate(env, s, t);
    const float L = std::max(0.0f, f.C) * env.E[2][1] + env.E[2][0];
    const float S = std::max(0.0f, f.C * f.C * f.C * f.C) * env.E[2][3];
    const float colour[3] = {col.R, col.G, col.B};
    for (int i = 0; i < 3; ++i)
        out[i] = (L + S) * env.E[2][2] * colour[i];
}

void DebugReference(const CEnvironment& env, const CColor4&, float s, float t, float out[3]) {
    const CFragment f = Evaluate(env, s, t);
    for (int i = 0; i < 3; ++i)
        out[i] = f.N[i] * f.R;
}

} // namespace

TEST_F(CFragmentProgramTest, NormalProgramWithoutHighlightIsLTimesTheColour) {
    const CEnvironment env = SlopedCushion(0.3f, 0.9f, 1.0f, 0.0f);
    const CColor4 colour = {0.75f, 0.25f, 0.5f, 0.5f};
    DrawQuad(NormalProgram, env, colour);
    ExpectPixels(env, colour, NormalReference);
}

TEST_F(CFragmentProgramTest, NormalProgramWithHighlightAddsTheGlow) {
    const CEnvironment env = SlopedCushion(0.3f, 0.9f, 1.0f, 1.0f);
    const CColor4 colour = {0.3f, 0.2f, 0.1f, 1.0f};
    DrawQuad(NormalProgram, env, colour);
    ExpectPixels(env, colour, NormalReference);
}

TEST_F(CFragmentProgramTest, SpecularProgramAddsTheFourthPowerOfTheCosine) {
    // A dark colour so that the sum stays below 1; the highlight also shows where the cosine
    // is negative, as its fourth power is taken before clamping.
    const CEnvironment env = SlopedCushion(0.2f, 0.6f, 0.7f, 1.0f);
    const CColor4 colour = {0.6f, 0.4f, 0.3f, 1.0f};
    DrawQuad(SpecularProgram, env, colour);
    ExpectPixels(env, colour, SpecularReference);
}

TEST_F(CFragmentProgramTest, DebugProgramShowsTheUnitNormal) {
    const CEnvironment env = SlopedCushion(0.3f, 0.9f, 1.0f, 0.0f);
    DrawQuad(DebugProgram, env, {1, 1, 1, 1});
    ExpectPixels(env, {1, 1, 1, 1}, DebugReference);

    // A flat cushion (the root's): the normal is (0, 0, 1) everywhere.
    CEnvironment flat = env;
    std::fill(flat.E[0], flat.E[0] + 4, 0.0f);
    flat.E[1][0] = flat.E[1][1] = 0.0f;
    DrawQuad(DebugProgram, flat, {0.5f, 0.5f, 0.5f, 1});
    const std::vector<unsigned char> pixels = GL.ReadPixels();
    for (size_t i = 0; i < pixels.size(); i += 4)
        ASSERT_TRUE(pixels[i] == 0 && pixels[i + 1] == 0 && pixels[i + 2] == 255 &&
                    pixels[i + 3] == 255)
            << "pixel " << i / 4;
}
