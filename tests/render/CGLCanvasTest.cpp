#include "render/CGLCanvas.h"
#include "GLStartState.h"
#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "render/GLEntryPoints.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <GL/glx.h>

namespace {

// A main window stand-in holding a canvas made as the main window makes it; the log goes to a
// fresh working directory.
class CGLCanvasTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Log.Open("log.txt"));
        CAppContext::SetLog(&Log);
        Frame = new wxFrame(nullptr, -1, "canvas test", wxDefaultPosition, wxSize(320, 240));
        const int attributes[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, 0};
        Canvas = new CGLCanvas(Frame, attributes);
    }
    void TearDown() override {
        delete Frame;
        CAppContext::SetLog(nullptr);
    }

    CTempDir Dir;
    CLogFile Log;
    wxFrame* Frame = nullptr;    // owned
    CGLCanvas* Canvas = nullptr; // owned by Frame
};

} // namespace

TEST_F(CGLCanvasTest, StartsUpBeforeTheWindowIsShown) {
    EXPECT_EQ("CGLCanvas", Canvas->GetName());
    EXPECT_EQ(nullptr, Canvas->GetView());
    EXPECT_FALSE(Frame->IsShown());

    ASSERT_TRUE(Canvas->InitGL());
    EXPECT_FALSE(Frame->IsShown()); // realised, not shown
    EXPECT_EQ("start logging: opening log file\n", Dir.ReadFile("log.txt"));
    EXPECT_NE(nullptr, glXGetCurrentContext()); // the window's GLX context

    ExpectStartState(Canvas->GetProgram(NormalProgram));
}

TEST_F(CGLCanvasTest, NormalProgramLightsAQuadInTheBackBuffer) {
    Frame->Show();
    ASSERT_TRUE(Canvas->InitGL());
    const wxSize size = Canvas->GetClientSize();
    glViewport(0, 0, size.x, size.y);
    glClear(GL_COLOR_BUFFER_BIT);

    // A flat cushion under a light from straight above: L = ambient + factor = 1.2.
    const GLfloat env[4][4] = {{0, 0, 0, 0}, {0, 0, 1, 0}, {0.3f, 0.9f, 1, 0}, {0, 0, 1, 0}};
    for (GLuint i = 0; i < 4; ++i)
        SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, i, env[i]);
    glEnable(GL_FRAGMENT_PROGRAM_ARB);
    glColor3f(0.5f, 0.25f, 0.75f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.25f, 0.25f);
    glVertex2f(-0.5f, -0.5f);
    glTexCoord2f(0.75f, 0.25f);
    glVertex2f(0.5f, -0.5f);
    glTexCoord2f(0.75f, 0.75f);
    glVertex2f(0.5f, 0.5f);
    glTexCoord2f(0.25f, 0.75f);
    glVertex2f(-0.5f, 0.5f);
    glEnd();
    glDisable(GL_FRAGMENT_PROGRAM_ARB);

    // Read the back buffer before any swap: the middle is lit, a corner shows the clear colour.
    glReadBuffer(GL_BACK);
    unsigned char middle[4] = {}, corner[4] = {};
    glReadPixels(size.x / 2, size.y / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, middle);
    glReadPixels(1, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
    EXPECT_NEAR(0.6f * 255, middle[0], 1.0);
    EXPECT_NEAR(0.3f * 255, middle[1], 1.0);
    EXPECT_NEAR(0.9f * 255, middle[2], 1.0);
    EXPECT_NEAR(0.8f * 255, corner[0], 1.0);
    EXPECT_NEAR(0.8f * 255, corner[2], 1.0);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
