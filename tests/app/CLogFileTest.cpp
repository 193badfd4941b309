#include "app/CLogFile.h"
#include "support/CTempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(LogFile, WritesExactLinesAndFlushesEachEntry) {
    CTempDir dir;
    {
        CLogFile log;
        ASSERT_TRUE(log.Open("log.txt"));
        EXPECT_EQ("start logging: opening log file\n", dir.ReadFile("log.txt"));
        log.Write("plain", "detail", "");
        log.Error("Error in xml file", "Function_45");
        log.Write("GPU program: ", "line one\n", "error");
        EXPECT_EQ("start logging: opening log file\n"
                  "plain: detail\n"
                  "[error] Error in xml file: Function_45\n"
                  "[error] GPU program: : line one\n\n",
                  dir.ReadFile("log.txt")); // visible before the file is closed
    }
    EXPECT_EQ("start logging: opening log file\n"
              "plain: detail\n"
              "[error] Error in xml file: Function_45\n"
              "[error] GPU program: : line one\n\n"
              "stop logging: closing file\n",
              dir.ReadFile("log.txt"));
}

TEST(LogFile, NewRunTruncatesThePreviousLog) {
    CTempDir dir;
    dir.WriteFile("log.txt", "old content that must go\n");
    {
        CLogFile log;
        log.Open("log.txt");
    }
    EXPECT_EQ("start logging: opening log file\nstop logging: closing file\n",
              dir.ReadFile("log.txt"));
}

TEST(LogFile, UnopenableFileDropsEveryEntry) {
    CTempDir dir;
    CLogFile log;
    EXPECT_FALSE(log.Open("missing-dir/log.txt"));
    EXPECT_FALSE(log.IsOpen());
    log.Write("a", "b", "c");
    log.Error("a", "b");
    log.CheckGLError();
    EXPECT_EQ("missing-dir/log.txt", log.GetFileName());
}

TEST(LogFile, KnowsTheSixOpenGLErrorTexts) {
    EXPECT_EQ(nullptr, CLogFile::GLErrorText(GL_NO_ERROR));
    EXPECT_EQ(nullptr, CLogFile::GLErrorText(0x1234));
    EXPECT_STREQ("An unacceptable value is specified for an enumerated argument. The offending "
                 "function is ignored, having no side effect other than to set the error flag.",
                 CLogFile::GLErrorText(GL_INVALID_ENUM));
    EXPECT_STREQ("There is not enough memory left to execute the function. The state of OpenGL "
                 "is undefined, except for the state of the error flags, after this error is "
                 "recorded.",
                 CLogFile::GLErrorText(GL_OUT_OF_MEMORY));
    for (unsigned code :
         {GL_INVALID_VALUE, GL_INVALID_OPERATION, GL_STACK_OVERFLOW, GL_STACK_UNDERFLOW})
        EXPECT_NE(nullptr, CLogFile::GLErrorText(code));
}
