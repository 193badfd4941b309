#include "render/CCushionRenderer.h"
#include "app/CAppContext.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/COffscreenContext.h"
#include "render/GLEntryPoints.h"
#include "support/CModelBuilder.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const int Width = 200;
const int Height = 200;

struct Pixel {
    int Red, Green, Blue;
};

// A program with one namespace holding a class with two fields, laid out and drawn offscreen.
class CushionRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Gl.Create(Width, Height)) << Gl.GetError();
        ASSERT_TRUE(Gl.InitGL());
        Layout.FileAreaFactor = 0; // the namespaces fill the bottom 90% of the root
        CAppContext::SetSettings(&Layout, &Looks);
        CBasicType* intType = B.Basic("int");
        CNamespace* global = B.Namespace("::");
        Class = B.Class("C", global);
        Field = B.Field("big", Class, intType);
        Small = B.Field("small", Class, B.Basic("char"));
        B.GetProgram()->ComputeSize();
    }
    void TearDown() override { CAppContext::SetSettings(nullptr, nullptr); }

    // Lays out the model (by default the fixture's) with the current settings and draws the
    // tree image.
    void Draw(EFragmentProgram program, CProgram* model = nullptr) {
        Treemap = std::make_unique<CRectArea>(model != nullptr ? model : B.GetProgram(), &View);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        Gl.BindProgram(program);
        CCushionRenderer::SetFrameParameters(Treemap->GetLooks());
        CCushionRenderer::DrawTree(*Treemap, false);
        Pixels = Gl.ReadPixels();
    }

    // The pixel at view position (x, y).
    Pixel At(float x, float y) const {
        int column = std::clamp(static_cast<int>((x + 1) / 2 * Width), 0, Width - 1);
        int row = std::clamp(static_cast<int>((y + 1) / 2 * Height), 0, Height - 1);
        const unsigned char* p = &Pixels[(row * Width + column) * 4];
        return {p[0], p[1], p[2]};
    }
    Pixel CentreOf(const CSqRectangle& rect) const {
        return At((rect.Screen.MinX + rect.Screen.MaxX) / 2,
                  (rect.Screen.MinY + rect.Screen.MaxY) / 2);
    }

    static void ExpectColor(const CColor& color, float scale, const Pixel& pixel) {
        EXPECT_NEAR(std::min(255.f, color.Red * scale * 255), pixel.Red, 1.5);
        EXPECT_NEAR(std::min(255.f, color.Green * scale * 255), pixel.Green, 1.5);
        EXPECT_NEAR(std::min(255.f, color.Blue * scale * 255), pixel.Blue, 1.5);
    }

    COffscreenContext Gl;
    CLayoutSettings Layout;
    CLooksSettings Looks;
    CModelBuilder B;
    CFixedViewUnits View{Width};
    std::unique_ptr<CRectArea> Treemap;
    std::vector<unsigned char> Pixels;
    CClassType* Class;
    CField* Field;
    CField* Small;
};

} // namespace

TEST_F(CushionRendererTest, WithoutProgramsQuadsShowTheFillColourInsideAShadedFrame) {
    Looks.RenderCushions = false;
    Draw(NormalProgram);
    // A field's quad in its flat fill colour (fields of a class: FieldColor).
    ExpectColor(Looks.FieldColor, 1, CentreOf(*Field->GetRect()));
    // The root's quad in the band above the namespaces, in ProgramColor.
    ExpectColor(Looks.ProgramColor, 1, At(0, 0.88f));
    // The root's border band: the fan from black in the middle towards ProgramBorderColor,
    // nearly the frame colour right at the edge.
    Pixel edge = At(0, 0.995f);
    EXPECT_NEAR(Looks.ProgramBorderColor.Blue * 255, edge.Blue, 8);
    EXPECT_EQ(0, edge.Red);
    // The class is a container: its border band is darker towards the centre of the fan.
    const CRectPoints& s = Class->GetRect()->Screen;
    Pixel band = At((s.MinX + s.MaxX) / 2, s.MaxY - 0.5f * Treemap->GetBorderWidth());
    EXPECT_LT(band.Blue, Looks.ClassBorderColor.Blue * 255);
    EXPECT_GT(band.Blue, Looks.ClassBorderColor.Blue * 255 * 0.5f);
}

TEST_F(CushionRendererTest, RectanglesNarrowerThanTwoBordersGetNoQuad) {
    Looks.RenderCushions = false;
    Layout.ContainerBordersOnly = false;
    Looks.DynamicBorderWidth = 12; // wider than half of the small field
    Draw(NormalProgram);
    CSqRectangle* small = Small->GetRect();
    ASSERT_NE(nullptr, small);
    ASSERT_GT(small->Screen.GetWidth(), 0);
    ASSERT_LT(small->Screen.GetWidth(), 2 * Treemap->GetBorderWidth());
    // Only the fan shows: black in the middle, not the fill colour.
    Pixel centre = CentreOf(*small);
    EXPECT_LT(centre.Red + centre.Green + centre.Blue, 40);
}

TEST_F(CushionRendererTest, DebugProgramShowsTheUnitNormal) {
    Draw(DebugProgram);
    // The root's cushion is flat: normal (0, 0, 1) everywhere.
    Pixel flat = At(0, 0.88f);
    EXPECT_EQ(0, flat.Red);
    EXPECT_EQ(0, flat.Green);
    EXPECT_EQ(255, flat.Blue);
    // Inside the field the normal tilts left of the centre towards -x (red channel 0) and right
    // of it towards +x.
    const CRectPoints& s = Field->GetRect()->Screen;
    float y = (s.MinY + s.MaxY) / 2;
    Pixel left = At(s.MinX + 0.2f * s.GetWidth(), y);
    Pixel right = At(s.MinX + 0.8f * s.GetWidth(), y);
    EXPECT_GT(right.Red, left.Red);
    EXPECT_LT(right.Blue, 255);
}

TEST_F(CushionRendererTest, NormalProgramLightsTheFlatRootWithTheDiffuseTerm) {
    Looks.LightX = 1; // light from the right, at 45 degrees
    Draw(NormalProgram);
    float c = 1 / std::sqrt(2.0f);
    float light = c * Looks.SpecularLight + Looks.AmbientLight; // highlight weight 0
    ExpectColor(Looks.ProgramColor, light, At(0, 0.88f));
}

TEST_F(CushionRendererTest, ASelectedRectangleDrawnLitHasARedFrameAndRestoresTheLight) {
    Looks.RenderCushions = false;
    Draw(NormalProgram);
    CSqRectangle* cls = Class->GetRect();
    cls->Selected = true;
    float before[4] = {0.3f, 0.9f, 1, 0};
    SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, before);
    CCushionRenderer::Draw(*cls, Treemap->GetLooks(), true);
    float after[4];
    GetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, after);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(before[i], after[i]);
    Pixels = Gl.ReadPixels();
    const CRectPoints& s = cls->Screen;
    Pixel edge = At((s.MinX + s.MaxX) / 2, s.MaxY - 0.01f);
    EXPECT_GT(edge.Red, 200);
    EXPECT_LT(edge.Green + edge.Blue, 20);
    // Drawn unlit, the same frame has the class's own frame colour.
    cls->Selected = false;
    CCushionRenderer::Draw(*cls, Treemap->GetLooks(), true);
    Pixels = Gl.ReadPixels();
    Pixel plain = At((s.MinX + s.MaxX) / 2, s.MaxY - 0.01f);
    EXPECT_LT(plain.Red, 40);
}

// Scopes nested as deep as the reader accepts (1000: the global namespace and 999 classes, one
// inside the other) are drawn down to the field at the bottom, without borders so that every
// level keeps the whole box.
TEST_F(CushionRendererTest, ScopesNestedAsDeepAsTheReaderAcceptsAreDrawnToTheBottom) {
    CModelBuilder deep;
    CPEContainer* scope = deep.Namespace("::");
    for (int level = 1; level < 1000; ++level)
        scope = deep.Class("C", scope);
    CField* bottom = deep.Field("bottom", scope, deep.Basic("int"));
    deep.GetProgram()->ComputeSize();
    Looks.RenderCushions = false;
    Looks.DynamicBorderWidth = 0;
    Layout.ChildAreaFactor = 1;
    Draw(NormalProgram, deep.GetProgram());
    ASSERT_NE(nullptr, bottom->GetRect());
    ExpectColor(Looks.FieldColor, 1, CentreOf(*bottom->GetRect()));
    Treemap.reset();
}
