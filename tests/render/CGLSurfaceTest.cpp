#include "GLStartState.h"
#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "render/COffscreenContext.h"
#include "render/GLEntryPoints.h"
#include "support/CTempDir.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

const char StartLine[] = "start logging: opening log file\n";
const char InitFailedLine[] = "[error] Opengl initialization failed: Could not load the 'ARB "
                              "fragment program' extension\n";

// A log file in a fresh working directory, installed as the program's log.
class CGLStartupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Log.Open("log.txt"));
        CAppContext::SetLog(&Log);
    }
    void TearDown() override { CAppContext::SetLog(nullptr); }

    std::string LogText() const { return Dir.ReadFile("log.txt"); }

    CTempDir Dir;
    CLogFile Log;
};

// The name the lookup below hides; the others go to the platform lookup.
const char* MissingEntryPoint = nullptr;

GLProc LookupWithOneMissing(const char* name) {
    return std::strcmp(name, MissingEntryPoint) == 0 ? nullptr : DefaultGLProcLookup(name);
}

// Installs LookupWithOneMissing for its lifetime.
class CMissingEntryPoint {
public:
    explicit CMissingEntryPoint(const char* name) {
        MissingEntryPoint = name;
        Previous = SetGLProcLookup(LookupWithOneMissing);
    }
    ~CMissingEntryPoint() { SetGLProcLookup(Previous); }

private:
    GLProcLookup Previous;
};

} // namespace

TEST_F(CGLStartupTest, OffscreenContextRunsTheStartUp) {
    COffscreenContext gl;
    ASSERT_TRUE(gl.Create(64, 48)) << gl.GetError();
    EXPECT_EQ(64, gl.GetWidth());
    EXPECT_EQ(48, gl.GetHeight());
    EXPECT_TRUE(gl.GetError().empty());
    EXPECT_NE(nullptr, std::strstr(reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                                   "Compatibility Profile"));
    EXPECT_TRUE(CGLSurface::HasExtension("GL_ARB_fragment_program"));
    EXPECT_TRUE(CGLSurface::HasExtension("GL_ARB_fragment")); // a substring is enough
    EXPECT_FALSE(CGLSurface::HasExtension("GL_QUARN_no_such_extension"));

    ASSERT_TRUE(gl.InitGL()) << LogText();
    EXPECT_EQ(StartLine, LogText()); // the programs load without a complaint
    const GLuint normal = gl.GetProgram(NormalProgram);
    const GLuint specular = gl.GetProgram(SpecularProgram);
    const GLuint debug = gl.GetProgram(DebugProgram);
    EXPECT_TRUE(normal != 0 && specular != 0 && debug != 0);
    EXPECT_TRUE(normal != specular && specular != debug && debug != normal);
    ExpectStartState(normal);
    ASSERT_NE(nullptr, SetEnvParameter);
    ASSERT_NE(nullptr, GetEnvParameter);
    const GLfloat light[4] = {0.3f, 0.9f, 1.0f, 0.0f};
    SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, light);
    GLfloat readBack[4] = {};
    GetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, readBack);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(light[i], readBack[i]);

    EXPECT_TRUE(gl.BindProgram(DebugProgram));
    EXPECT_EQ(static_cast<GLint>(debug), BoundProgram());
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(CGLStartupTest, FramebufferHasTheRequestedSizeAndReadsBackBottomUp) {
    COffscreenContext gl;
    ASSERT_TRUE(gl.Create(5, 3)) << gl.GetError();
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 5, 1); // the bottom row only
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    const std::vector<unsigned char> pixels = gl.ReadPixels();
    ASSERT_EQ(5u * 3u * 4u, pixels.size());
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(255, pixels[x * 4]) << "bottom row comes first, red at x " << x;
        EXPECT_EQ(0, pixels[x * 4 + 2]);
        EXPECT_EQ(0, pixels[(2 * 5 + x) * 4]) << "top row comes last, blue at x " << x;
        EXPECT_EQ(255, pixels[(2 * 5 + x) * 4 + 2]);
    }
}

TEST_F(CGLStartupTest, FailedOffscreenContextIsReportedAndFailsTheStartUp) {
    COffscreenContext gl;
    for (auto size : {std::make_pair(0, 10), std::make_pair(10, -1), std::make_pair(1 << 20, 4)}) {
        EXPECT_FALSE(gl.Create(size.first, size.second));
        EXPECT_FALSE(gl.GetError().empty());
        EXPECT_FALSE(gl.MakeCurrent());
        EXPECT_TRUE(gl.ReadPixels().empty());
    }
    EXPECT_NE(std::string::npos, gl.GetError().find("incomplete")) << gl.GetError();
    EXPECT_FALSE(gl.InitGL());
    EXPECT_EQ(std::string(StartLine) + InitFailedLine, LogText());
    // A good size afterwards gives a working context again.
    EXPECT_TRUE(gl.Create(8, 8)) << gl.GetError();
    EXPECT_TRUE(gl.InitGL());
}

TEST_F(CGLStartupTest, MissingEntryPointFailsTheStartUpWithOneLogEntry) {
    for (const char* name : {"glGenProgramsARB", "glBindProgramARB", "glProgramStringARB",
                             "glGetProgramivARB", "glProgramEnvParameter4fvARB"}) {
        SCOPED_TRACE(name);
        COffscreenContext gl;
        ASSERT_TRUE(gl.Create(8, 8)) << gl.GetError();
        const size_t logged = LogText().size();
        CMissingEntryPoint missing(name);
        EXPECT_FALSE(gl.InitGL());
        EXPECT_EQ(InitFailedLine, LogText().substr(logged));
    }
}

TEST_F(CGLStartupTest, MissingReadBackEntryPointStillStartsUp) {
    COffscreenContext gl;
    ASSERT_TRUE(gl.Create(8, 8)) << gl.GetError();
    CMissingEntryPoint missing("glGetProgramEnvParameterfvARB");
    EXPECT_TRUE(gl.InitGL());
    EXPECT_EQ(nullptr, GetEnvParameter); // users test it before each call
    EXPECT_NE(nullptr, SetEnvParameter);
}

TEST_F(CGLStartupTest, RejectedProgramTextIsLoggedWithTheDriversPositionAndMessage) {
    const std::string badText = "!!ARBfp1.0\n"
                                "TEMP colour;\n"
                                "MOV colour, fragment.colour;\n"
                                "MOV result.color, colour;\n"
                                "END\n";
    COffscreenContext gl;
    ASSERT_TRUE(gl.Create(8, 8)) << gl.GetError();
    gl.SetProgramText(NormalProgram, badText);
    EXPECT_FALSE(gl.InitGL());

    GLint position = -2;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &position);
    const std::string message =
        reinterpret_cast<const char*>(glGetString(GL_PROGRAM_ERROR_STRING_ARB));
    // The driver points into the misspelt line and says something.
    const GLint lineStart = static_cast<GLint>(badText.find("MOV colour"));
    EXPECT_GE(position, lineStart);
    EXPECT_LT(position, static_cast<GLint>(badText.find("MOV result")));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(std::string(StartLine) + "[error] GPU program: : " + badText + "\n" +
                  "[error] Error loading GPU program: error at position: " +
                  std::to_string(position) + "\n" + message + "\n" + InitFailedLine,
              LogText());
}

TEST_F(CGLStartupTest, RejectedSpecularTextFailsTheLoad) {
    COffscreenContext gl;
    ASSERT_TRUE(gl.Create(8, 8)) << gl.GetError();
    gl.SetProgramText(SpecularProgram, "!!ARBfp1.0\nMOV result.color, nothing;\nEND\n");
    EXPECT_FALSE(gl.LoadFragmentPrograms());
    // The normal program, loaded last, was fine: the driver reports no position for it and
    // nothing is logged.
    EXPECT_EQ(StartLine, LogText());
}
