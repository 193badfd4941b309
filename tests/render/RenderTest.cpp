// The drawing code on an offscreen context: the start-up of the GL surface, the pixels a view
// paints through the renderer, and the PNG writer.

#include "cli/CHeadlessViewHost.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"
#include "render/CArrowPainter.h"
#include "render/CGlyphAtlas.h"
#include "render/COffscreenContext.h"
#include "render/CPixelGrid.h"
#include "render/CViewRenderer.h"
#include "render/FontFile.h"
#include "render/GLErrors.h"
#include "render/PngFile.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"
#include "support/RunCli.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"
#include "view/RelationArrow.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Image = std::vector<unsigned char>;
using Pixel = std::vector<int>;

const char InitFailed[] = "[error] Opengl initialization failed: Could not load the 'ARB "
                          "fragment program' extension\n";

class RenderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Ws.Log.Open("log.txt")); }
    std::string LogText() const { return Dir.ReadFile("log.txt"); }

    CTempDir Dir;
    CRecordingMessageBox Box;
    CWorkspace Ws{Box};
};

GLProc LookupWithoutEnvParameter(const char* name) {
    return std::strcmp(name, "glProgramEnvParameter4fvARB") == 0 ? nullptr
                                                                 : DefaultGLProcLookup(name);
}

// The relations fixture in a view on a 400 x 300 offscreen canvas cleared to white, as the
// command-line tool and the window set it up.
class DrawTest : public RenderTest {
protected:
    static constexpr int W = 400, H = 300;

    void SetUp() override {
        RenderTest::SetUp();
        ASSERT_TRUE(Gl.Create(W, H)) << Gl.GetError();
        ASSERT_TRUE(Gl.InitGL()) << LogText();
        glClearColor(1, 1, 1, 1);
        View.Resize(W, H);
        // The default settings without labels, which the tree's pixels are tested without.
        Ws.Looks.Labels = false;
        View.SetLooksSettings(Ws.Looks);
        Data.SetProgram(Ws.Load(QUARN_BINARY_DIR "/fixtures/relations.xml", nullptr));
        View.SetViewData(&Data);
        Renderer = NewRenderer();
    }
    void TearDown() override { EXPECT_EQ(std::string::npos, LogText().find("[error]")); }

    std::unique_ptr<CViewRenderer> NewRenderer() {
        return std::make_unique<CViewRenderer>(Gl.GetFunctions(), Ws.Log);
    }
    // One paint as the canvas does it: clear, draw, then the pixels read back.
    Image Paint(CViewRenderer& renderer) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderer.Draw(View);
        return Gl.ReadPixels();
    }
    Image Paint() { return Paint(*Renderer); }
    // The RGBA pixel at a fraction (fx, fy) across rect's screen box, fy upwards.
    static Pixel At(const Image& image, const CSqRectangle* rect, float fx, float fy) {
        const CRectPoints& s = rect->GetScreen();
        const float x = s.MinX + fx * (s.MaxX - s.MinX), y = s.MinY + fy * (s.MaxY - s.MinY);
        const int px = std::clamp(static_cast<int>((x + 1) / 2 * W), 0, W - 1);
        const int py = std::clamp(static_cast<int>((y + 1) / 2 * H), 0, H - 1); // bottom-up
        const unsigned char* p = &image[(static_cast<size_t>(py) * W + px) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    static int Brightness(const Pixel& p) { return p[0] + p[1] + p[2]; }
    // The rectangle of the first element named name.
    CSqRectangle* Rect(const std::string& name) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        filter.SearchProgram(Data.GetProgram());
        EXPECT_FALSE(filter.Results.empty()) << name;
        return filter.Results.empty() ? nullptr : View.GetTreemap()->RectOf(filter.Results[0]);
    }
    void SetLooks(bool shader) {
        CLooksSettings looks = Ws.Looks;
        looks.RenderCushions = shader;
        View.SetLooksSettings(looks);
    }

    COffscreenContext Gl{Ws.Log};
    CHeadlessViewHost Host{W, H};
    CViewData Data;
    CBasicView View{&Host, Ws.Log};
    std::unique_ptr<CViewRenderer> Renderer;
};

} // namespace

// A good start-up loads three programs and a later GL error is logged; a rejected program or a
// missing entry point fails it, naming the cause.
TEST_F(RenderTest, OffscreenStartUpLoadsTheProgramsOrFailsNamingTheCause) {
    COffscreenContext gl(Ws.Log), rejecting(Ws.Log), hiding(Ws.Log, LookupWithoutEnvParameter);
    ASSERT_TRUE(gl.Create(8, 8) && rejecting.Create(8, 8) && hiding.Create(8, 8));
    ASSERT_TRUE(gl.InitGL()) << LogText();
    glEnable(0x1234); // no capability: the next check logs the error
    CheckGLError(Ws.Log);
    EXPECT_NE(std::string::npos, LogText().find("[error] opengl reported an error: An "
                                                "unacceptable value is specified for an enum"));
    const std::string bad = "!!ARBfp1.0\nMOV result.color, fragment.colour;\nEND\n";
    rejecting.SetProgramText(NormalProgram, bad);
    EXPECT_FALSE(rejecting.InitGL());
    GLint position = -2; // the driver's position of the fault, which the log names
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &position);
    EXPECT_NE(std::string::npos, LogText().find("error at position: " + std::to_string(position)))
        << LogText();
    EXPECT_FALSE(hiding.InitGL());
    EXPECT_EQ(LogText().find(InitFailed), LogText().rfind(InitFailed) - std::strlen(InitFailed));
}

// A cushion is brighter at its centre than at its edges; a light from the right brightens the
// cushions' right sides, a light from above their tops. Flat, a leaf shows its colour throughout
// and a container's border band shows its frame, not its cushion.
TEST_F(DrawTest, CushionsAreLitFromWhereTheLooksPutTheLightFlatOnesShowTheirColourAndFrame) {
    const CSqRectangle* file = Rect(QUARN_SOURCE_DIR "/tests/fixtures/relations.h"); // a leaf
    Image lit = Paint();
    EXPECT_GT(Brightness(At(lit, file, 0.5f, 0.5f)), Brightness(At(lit, file, 0.04f, 0.5f)) + 60);
    auto sides = [&](float lightX, float lightY) {
        CLooksSettings looks = Ws.Looks;
        looks.LightX = lightX;
        looks.LightY = lightY;
        View.SetLooksSettings(looks);
        Image image = Paint();
        return std::make_pair(
            Brightness(At(image, file, 0.9f, 0.5f)) - Brightness(At(image, file, 0.1f, 0.5f)),
            Brightness(At(image, file, 0.5f, 0.9f)) - Brightness(At(image, file, 0.5f, 0.1f)));
    };
    auto right = sides(0.8f, 0), up = sides(0, 0.8f);
    EXPECT_GT(right.first - up.first, 40);
    EXPECT_GT(up.second - right.second, 40);
    SetLooks(false);
    Image flat = Paint();
    EXPECT_EQ((Pixel{191, 64, 0, 255}), At(flat, file, 0.5f, 0.5f)); // the file colour
    EXPECT_EQ((Pixel{191, 64, 0, 255}), At(flat, file, 0.04f, 0.5f));
    const CSqRectangle* rect = Rect("Rectangle");
    const float band = 1.5f * 2 / W / rect->GetScreen().GetWidth(); // 1.5 px
    const Pixel fill{51, 0, 255, 255};                              // the class colour, flat
    EXPECT_NE(fill, At(flat, rect, 1 - band, 0.5f));
    EXPECT_NE(fill, At(flat, rect, band, 0.5f));
}

TEST_F(DrawTest, HoveringAClassLightsItsRelatedRectanglesOnly) {
    Image before = Paint();
    CSqRectangle* circle = Rect("Circle");
    const CRectPoints& s = circle->GetScreen();
    // A window pixel in the class's top border, where the class itself is found.
    View.MouseMove(static_cast<int>(((s.MinX + s.MaxX) / 2 + 1) / 2 * W),
                   static_cast<int>((1 - s.MaxY) / 2 * H) + 1);
    ASSERT_EQ(circle, View.GetHover());
    Image after = Paint();
    // Circle and its base Shape change; Point does not.
    for (const char* name : {"Circle", "Shape", "Point"})
        EXPECT_EQ(std::string(name) == "Point",
                  At(before, Rect(name), 0.5f, 0.5f) == At(after, Rect(name), 0.5f, 0.5f))
            << name;
    // The arrow to the base shows halfway along, in its colour, over the lit rectangles.
    const RelationArrow& arrow = View.GetSelection().HoverRelations.Arrows.front();
    ASSERT_EQ(Rect("Shape"), arrow.To);
    float end[2];
    arrow.To->GetScreen().ClampPoint((s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2, end);
    const size_t px = static_cast<size_t>(((s.MinX + s.MaxX) / 4 + end[0] / 2 + 1) / 2 * W);
    const size_t py = static_cast<size_t>(((s.MinY + s.MaxY) / 4 + end[1] / 2 + 1) / 2 * H);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(arrow.Color[c] * 255, after[(py * W + px) * 4 + c], 1) << c;
    // The selection's relations are lit as well: MoveBy's argument type Point.
    View.MouseMove(-1, -1);
    View.ReplaceSelection({Rect("MoveBy")});
    EXPECT_NE(At(before, Rect("Point"), 0.5f, 0.5f), At(Paint(), Rect("Point"), 0.5f, 0.5f));
    EXPECT_EQ(1, Renderer->GetTreeRenders()); // hovers and selections draw over the snapshot
}

// The arrows go to the driver as triangles, all in one call. Between every two classes of the
// fixture (every direction, long and short), an arrow covers what llvmpipe draws for a wide line
// of its width followed by its head; only the rows at the shaft's ends may differ. (Softpipe,
// which the sanitizer build uses, widens lines by a rule of its own.)
TEST_F(DrawTest, ArrowsCoverTheDriversWideLineAndHeadButForTheShaftsEnds) {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer == nullptr || std::string(renderer).find("llvmpipe") == std::string::npos)
        GTEST_SKIP() << "wide lines are compared with llvmpipe's";
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const CPixelGrid grid = CPixelGrid::OfViewport(View.GetCamera());
    CArrowPainter painter;
    int arrows = 0;
    const char* names[] = {"Shape", "Circle", "Rectangle", "Square", "Point", "MoveBy"};
    for (const char* from : names) {
        for (const char* to : names) {
            const RelationArrow arrow{Rect(from), Rect(to), {0, 0, 1, 1}};
            glClear(GL_COLOR_BUFFER_BIT);
            painter.Draw({arrow}, grid);
            const Image drawn = Gl.ReadPixels();
            // The same arrow as a GL line and a triangle.
            const CRectPoints& s = arrow.From->GetScreen();
            const float x = (s.MinX + s.MaxX) / 2, y = (s.MinY + s.MaxY) / 2;
            float end[2];
            arrow.To->GetScreen().ClampPoint(x, y, end);
            const float length = std::hypot(end[0] - x, end[1] - y), head = length * 0.025f + 0.02f;
            const float ux = (end[0] - x) / length * head, uy = (end[1] - y) / length * head;
            glClear(GL_COLOR_BUFFER_BIT);
            if (length > 0) {
                glColor4f(0, 0, 1, 1);
                glLineWidth(length * 1.5f + 3);
                glBegin(GL_LINES);
                glVertex2f(x, y);
                glVertex2f(end[0] - ux, end[1] - uy);
                glEnd();
                glBegin(GL_TRIANGLES);
                glVertex2f(end[0], end[1]);
                glVertex2f(end[0] - ux - uy / 2, end[1] - uy + ux / 2);
                glVertex2f(end[0] - ux + uy / 2, end[1] - uy - ux / 2);
                glEnd();
            }
            const Image line = Gl.ReadPixels();
            int differing = 0, covered = 0;
            for (size_t i = 0; i < line.size(); i += 4) {
                differing += std::memcmp(&line[i], &drawn[i], 4) != 0;
                covered += line[i] == 0;
            }
            arrows += covered > 0;
            EXPECT_LE(differing, 2 * std::lround(length * 1.5f + 4)) << from << " > " << to;
        }
    }
    EXPECT_GT(arrows, 20);
}

TEST_F(DrawTest, LabelsNameTheLargeRectanglesInTheirTopLinesReadablyAndNeverMeet) {
    const Image plain = Paint();
    Ws.Looks.Labels = true;
    SetLooks(true);
    const Image labelled = Paint();
    const std::vector<CLabelBox>& labels = Renderer->GetLabelPainter().GetLabels();
    const CSqRectangle* file = Rect(QUARN_SOURCE_DIR "/tests/fixtures/relations.h");
    auto pixel = [](const Image& image, int x, int y) { return &image[(size_t(y) * W + x) * 4]; };
    // Every pixel the labels change lies on a label's line.
    int changedOnFile = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (std::memcmp(pixel(plain, x, y), pixel(labelled, x, y), 4) == 0)
                continue;
            auto on = std::find_if(labels.begin(), labels.end(), [&](const CLabelBox& l) {
                return x >= l.MinX && x < l.MaxX && y >= l.MinY && y < l.MaxY;
            });
            ASSERT_NE(labels.end(), on) << x << "," << y;
            changedOnFile += on->Rect == file;
        }
    }
    // The file's label changes its whole line: the text and the plate under it.
    auto fileLabel = std::find_if(labels.begin(), labels.end(),
                                  [&](const CLabelBox& l) { return l.Rect == file; });
    ASSERT_NE(labels.end(), fileLabel);
    EXPECT_GT(changedOnFile,
              (fileLabel->MaxX - fileLabel->MinX) * (fileLabel->MaxY - fileLabel->MinY) * 9 / 10);
    // Each line lies inside its rectangle, no two meet, small rectangles get none.
    int darkOnLight = 0;
    for (const CLabelBox& l : labels) {
        const CRectPoints& s = l.Rect->GetScreen();
        EXPECT_TRUE(l.MinX >= (s.MinX + 1) / 2 * W && l.MaxX <= (s.MaxX + 1) / 2 * W &&
                    l.MinY >= (s.MinY + 1) / 2 * H && l.MaxY <= (s.MaxY + 1) / 2 * H);
        for (const CLabelBox& m : labels)
            EXPECT_TRUE(&l == &m || l.MinX >= m.MaxX || m.MinX >= l.MaxX || l.MinY >= m.MaxY ||
                        m.MinY >= l.MaxY);
        EXPECT_NE(Rect("Origin"), l.Rect);
        // Readable: light text on the dark file, dark text on the light namespaces.
        if (l.Rect != file && l.Rect->GetKind() != ERectKind::Namespace)
            continue;
        // White text on the file reaches past 720; dark text on a namespace below 300, which its
        // light plate alone keeps the pixels above (about 400 here).
        int lightest = 0, darkest = 765;
        for (int y = l.MinY; y < l.MaxY; ++y) {
            for (int x = l.MinX; x < l.MaxX; ++x) {
                const unsigned char* p = pixel(labelled, x, y);
                lightest = std::max(lightest, p[0] + p[1] + p[2]);
                darkest = std::min(darkest, p[0] + p[1] + p[2]);
            }
        }
        EXPECT_TRUE(l.Rect == file ? lightest > 720 : darkest < 300) << lightest << " " << darkest;
        darkOnLight += l.Rect != file;
    }
    EXPECT_GT(darkOnLight, 0);
    // The command-line tool writes the same picture: the PNG of it written here, byte for byte.
    ASSERT_EQ(0, RunCli("render --labels --width 400 --height 300 -o cli.png " QUARN_BINARY_DIR
                        "/fixtures/relations.xml")
                     .Status);
    ASSERT_TRUE(WritePng("view.png", W, H, labelled));
    EXPECT_TRUE(Dir.ReadFile("view.png") == Dir.ReadFile("cli.png"));
    // A repaint draws them again over the copied tree; a pan to the right moves them with it.
    EXPECT_TRUE(labelled == Paint());
    const CLabelBox first = labels.front();
    View.Drag(100, 100, 130, 100);
    Paint();
    EXPECT_TRUE(first.Rect == labels.front().Rect && first.MinX + 30 == labels.front().MinX)
        << first.MinX << " " << labels.front().MinX;
}

TEST_F(DrawTest, RepaintsCopyTheSnapshotUntilTheViewChangesAtEverySize) {
    Image first = Paint();
    EXPECT_TRUE(first == Renderer->ReadSnapshot() && first == Paint());
    View.Drag(100, 100, 160, 130);
    Image panned = Paint();
    SetLooks(false); // new looks draw the tree anew; a new renderer draws the same
    Image flat = Paint();
    EXPECT_TRUE(first != panned && flat != panned && flat == Paint(*NewRenderer()));
    EXPECT_EQ(3, Renderer->GetTreeRenders()); // the first paint, after the pan, after the looks
    // Resized wider, higher or smaller than any picture saved before, small first: a repaint
    // copies back what the first paint at that size drew.
    auto resized = NewRenderer();
    Image before = flat;
    for (const auto& [w, h] : {std::pair{W / 4, H / 4}, std::pair{W, H / 2}, std::pair{W / 2, H},
                               std::pair{W, H}, std::pair{W - 10, H / 3}}) {
        glViewport(0, 0, w, h);
        View.Resize(w, h);
        const Image first = Paint(*resized);
        EXPECT_TRUE(first == Paint(*resized) && first != before) << w << "x" << h;
        before = first;
        EXPECT_EQ(size_t(w) * h * 4, resized->ReadSnapshot().size());
    }
}

// Text cut to a box, as the labels cut theirs to their plates, shows the pixels that the whole
// text shows in that box: glyphs cut across the middle keep their texture's columns and rows.
TEST_F(RenderTest, TextCutToABoxShowsWhatTheWholeTextShowsThere) {
    const int w = 64, h = 40, box[4] = {7, 9, 30, 21}, everything[4] = {0, 0, w, h};
    COffscreenContext gl(Ws.Log);
    ASSERT_TRUE(gl.Create(w, h));
    CGlyphAtlas atlas;
    ASSERT_TRUE(atlas.Load(FindFontFile("sans-serif"), 24)) << atlas.GetError();
    glOrtho(0, w, 0, h, -1, 1);
    glScissor(box[0], box[1], box[2] - box[0], box[3] - box[1]);
    const float white[4] = {1, 1, 1, 1};
    std::vector<float> whole, cut;
    atlas.AddText("Wgj@", 3, 14, everything, white, whole);
    atlas.AddText("Wgj@", 3, 14, box, white, cut);
    auto paint = [&](const std::vector<float>& quads, bool scissor) {
        glClear(GL_COLOR_BUFFER_BIT);
        scissor ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST);
        atlas.DrawText(quads);
        return gl.ReadPixels();
    };
    const Image drawn = paint(cut, false);
    EXPECT_TRUE(paint(whole, true) == drawn);
    // The box shows text, the text reaches past the box, and a glyph lies wholly outside it.
    EXPECT_TRUE(drawn != paint({}, false) && drawn != paint(whole, false));
    EXPECT_LT(cut.size(), whole.size());
}

TEST_F(RenderTest, APngOfPixelsThatDoNotFitItsSizeIsNotWritten) {
    std::string error;
    EXPECT_FALSE(WritePng("bad.png", 3, 3, Image(3 * 2 * 4), &error));
    EXPECT_FALSE(error.empty() || std::filesystem::exists("bad.png"));
}
