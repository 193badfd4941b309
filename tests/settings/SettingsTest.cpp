// The settings file: reading with defaults for whatever is missing, saving in one step that
// never leaves a file half written, and reading nothing beyond the file.
#include "base/CXmlDocument.h"
#include "settings/CRecentFiles.h"
#include "settings/SettingsFile.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

std::string SettingsWith(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<settings>" + body + "</settings>\n";
}

const std::string Original = SettingsWith("<layout><children area=\"0.5\"/></layout>"
                                          "<looks><cushion f=\"1\" h=\"2\"/></looks>");

struct CRead {
    bool Ok;
    CLayoutSettings Layout;
    CLooksSettings Looks;
};

// Reads "settings.cfg" into records that start away from the defaults.
CRead Read() {
    CRead read;
    read.Layout.ChildAreaFactor = 7;
    read.Looks.CushionF = 7;
    read.Ok = ReadSettings(read.Layout, read.Looks);
    return read;
}

bool IsDefault(const CRead& read) {
    return DumpLayoutSettings(read.Layout) == DumpLayoutSettings(CLayoutSettings()) &&
           DumpLooksSettings(read.Looks) == DumpLooksSettings(CLooksSettings());
}

// Runs body in a child process; its exit status, or -1 when it did not end normally.
int InChild(const std::function<int()>& body) {
    pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// In a child: 0 when both saves failed with exactly one message each under "Parser error".
int BothSavesFail() {
    CRecordingMessageBox box;
    CLooksSettings looks;
    looks.CushionF = 0.25f;
    bool saved = SaveSettings(CLayoutSettings(), looks, "", box) ||
                 SaveSettings(CLayoutSettings(), looks, "mine.cfg", box);
    return !saved && box.Messages == Strings(2, "Parser error: error saving configuration file")
               ? 0
               : 1;
}

Strings Entries(const std::string& directory) {
    Strings names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// A test in a fresh working directory, with a message box that records what a save shows.
class SettingsFile : public testing::Test {
protected:
    CTempDir Dir;
    CRecordingMessageBox Box;
};
using SafeSaving = SettingsFile;
using RecentFiles = SettingsFile;

TEST_F(SettingsFile, WhatCannotBeReadKeepsTheDefaults) {
    EXPECT_FALSE(Read().Ok); // no file
    EXPECT_TRUE(IsDefault(Read()));
    std::string full = ReadWholeFile(QUARN_SOURCE_DIR "/settings.cfg");
    for (const std::string& text : {std::string(), std::string("not xml"),
                                    full.substr(0, full.size() / 2), std::string("\x89PNG\r\n")}) {
        Dir.WriteFile("settings.cfg", text);
        CRead read = Read();
        EXPECT_FALSE(read.Ok) << text;
        EXPECT_TRUE(IsDefault(read)) << text;
    }
}

TEST_F(SettingsFile, ReadsEveryKindOfValue) {
    Dir.WriteFile("settings.cfg",
                  SettingsWith("<renderer><display_lists enabled='TRUE'/>"
                               "<pixel_shader enabled='yes'/></renderer>"
                               "<layout><function_argument area='0.25'/><file_group area='0'/>"
                               "<children area='0.75'/><border width='0.007'/>"
                               "<group_squares enabled='False'/></layout>"
                               "<looks><shader ambient='0.5' specular='2'/><cushion f='0.8'/>"
                               "<colors><class red='255' green='256' blue='510' alpha='300'/>"
                               "<file red='-1' green='0' blue='128'/><method red='10' green='20'/>"
                               "</colors></looks>"));
    CRead read = Read();
    ASSERT_TRUE(read.Ok);
    EXPECT_TRUE(read.Looks.DisplayLists);    // "true" in any letter case
    EXPECT_FALSE(read.Looks.RenderCushions); // anything else is false
    EXPECT_FALSE(read.Layout.Subdivide);
    EXPECT_EQ(0.25f, read.Layout.ArgAreaFactor);
    EXPECT_EQ(0.75f, read.Layout.ChildAreaFactor);
    EXPECT_EQ(0.007f, read.Layout.BorderWidth);
    EXPECT_EQ(7, read.Looks.DynamicBorderWidth); // thousandths of the width, truncated
    EXPECT_EQ(0.5f, read.Looks.AmbientLight);
    EXPECT_EQ(0.8f, read.Looks.CushionF);
    // Components 0 to 255 scaled to 0 to 1, wrapping past 255; alpha 1.0 when absent; a colour
    // without blue keeps its default.
    const float step = 0.003921569f;
    EXPECT_FLOAT_EQ(1.0f, read.Looks.ClassColor.Red);
    EXPECT_EQ(254 * step, read.Looks.ClassColor.Blue);
    EXPECT_EQ(44 * step, read.Looks.ClassColor.Alpha);
    EXPECT_EQ(1 * step, read.Looks.FileColor.Red);
    EXPECT_EQ(1 * step, read.Looks.FileColor.Alpha);
    EXPECT_EQ(CLooksSettings().MethodColor.Green, read.Looks.MethodColor.Green);
}

TEST_F(SettingsFile, SavingWritesTheEditableValuesAndKeepsTheRest) {
    Dir.WriteFile("settings.cfg",
                  SettingsWith("<renderer><display_lists enabled='false'/><pixel_shader/>"
                               "</renderer><extra keep='me'/><layout><children/>"
                               "<border width='0.001'/><file_group/></layout><looks><shader/>"
                               "<colors><class red='1' green='2' blue='3'/></colors></looks>"));
    CLayoutSettings layout;
    CLooksSettings looks;
    layout.FileAreaFactor = 0.123456f;
    layout.BorderWidth = 0.0072f;
    layout.ContainerBordersOnly = false;
    looks.RenderCushions = false;
    looks.AmbientLight = 1.25f;
    ASSERT_TRUE(SaveSettings(layout, looks, "", Box));
    EXPECT_TRUE(Box.Messages.empty());
    std::string saved = Dir.ReadFile("settings.cfg");
    for (const char* kept : {"<display_lists enabled=\"false\"/>", "<extra keep=\"me\"/>",
                             "<class red=\"1\" green=\"2\" blue=\"3\"/>"})
        EXPECT_NE(std::string::npos, saved.find(kept)) << kept;
    EXPECT_EQ(std::string::npos, saved.find("cushion")); // elements the file lacks stay out
    CRead read = Read();
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(0.1235f, read.Layout.FileAreaFactor); // four significant digits
    EXPECT_EQ(0.0072f, read.Layout.BorderWidth);
    EXPECT_EQ(7, read.Looks.DynamicBorderWidth);
    EXPECT_FALSE(read.Layout.ContainerBordersOnly);
    EXPECT_FALSE(read.Looks.RenderCushions);
    EXPECT_EQ(1.25f, read.Looks.AmbientLight);
    EXPECT_EQ(0.9f, read.Layout.ChildAreaFactor);
}

// A file from before the labels has no labels element: the defaults are read, saving them
// again leaves the file byte for byte, and other labels are added and read back.
TEST_F(SettingsFile, LabelsDefaultWhenMissingAndAreAddedOnlyWhenChanged) {
    std::string old = ReadWholeFile(QUARN_SOURCE_DIR "/settings.cfg");
    old.erase(old.find("    <labels"), old.find("<colors>") - old.find("    <labels"));
    Dir.WriteFile("settings.cfg", old);
    CRead read = Read();
    EXPECT_TRUE(read.Looks.Labels);
    EXPECT_EQ(12, read.Looks.LabelSize);
    ASSERT_TRUE(SaveSettings(read.Layout, read.Looks, "", Box));
    EXPECT_EQ(old, Dir.ReadFile("settings.cfg"));
    read.Looks.Labels = false;
    read.Looks.LabelSize = 20;
    ASSERT_TRUE(SaveSettings(read.Layout, read.Looks, "", Box));
    CRead again = Read();
    EXPECT_FALSE(again.Looks.Labels);
    EXPECT_EQ(20, again.Looks.LabelSize);
}

TEST_F(SettingsFile, FailuresAreShownUnderParserErrorAndChangeNothing) {
    Dir.WriteFile("settings.cfg", "<settings><unclosed></settings>");
    EXPECT_FALSE(SaveSettings(CLayoutSettings(), CLooksSettings(), "", Box));
    EXPECT_FALSE(SaveSettings(CLayoutSettings(), CLooksSettings(), "copy.cfg", Box));
    EXPECT_EQ(Strings(2, "Parser error: Invalid file or xml document"), Box.Messages);
    EXPECT_EQ("<settings><unclosed></settings>", Dir.ReadFile("settings.cfg"));
    EXPECT_FALSE(std::filesystem::exists("copy.cfg"));
}

// A directory that takes no new file, and a write that fails half-way (the file-size limit
// stops it): the saves fail, both files stay byte for byte and no temporary file is left.
TEST_F(SafeSaving, AFailedSaveKeepsTheFileAsItWas) {
    Dir.WriteFile("settings.cfg", Original);
    Dir.WriteFile("mine.cfg", "<settings><old/></settings>");
    EXPECT_EQ(0, InChild([] {
                  std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
                  rlimit limit{100, 100};
                  return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? BothSavesFail() : 2;
              }));
    std::filesystem::permissions(Dir.Path(), std::filesystem::perms(0555));
    EXPECT_EQ(0, InChild([] {
                  // The permission bits do not bind a privileged user: run as nobody.
                  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                      return 2;
                  return BothSavesFail();
              }));
    std::filesystem::permissions(Dir.Path(), std::filesystem::perms(0755));
    EXPECT_EQ(Original, Dir.ReadFile("settings.cfg"));
    EXPECT_EQ("<settings><old/></settings>", Dir.ReadFile("mine.cfg"));
    EXPECT_EQ((Strings{"mine.cfg", "settings.cfg"}), Entries("."));
}

// A save replaces the file by a new one with the same permissions, and through a symbolic
// link replaces the file the link names.
TEST_F(SafeSaving, ASaveKeepsPermissionsAndSymbolicLinks) {
    Dir.WriteFile("real.cfg", Original);
    std::filesystem::permissions("real.cfg", std::filesystem::perms(0640));
    std::filesystem::create_symlink("real.cfg", "settings.cfg");
    struct stat before, after;
    ASSERT_EQ(0, stat("real.cfg", &before));
    CLooksSettings looks;
    looks.CushionF = 0.25f;
    ASSERT_TRUE(SaveSettings(CLayoutSettings(), looks, "", Box));
    ASSERT_EQ(0, stat("real.cfg", &after));
    EXPECT_TRUE(std::filesystem::is_symlink("settings.cfg"));
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(0640u, after.st_mode & 07777);
    EXPECT_NE(std::string::npos, Dir.ReadFile("real.cfg").find("f=\"0.25\""));
    EXPECT_EQ((Strings{"real.cfg", "settings.cfg"}), Entries("."));
}

TEST_F(RecentFiles, KeepTheEightNewestOnceEachAndComeFromTheUsersConfigurationDirectory) {
    Dir.WriteFile("old", "b\n\na\nb\n");
    CRecentFiles recent(Dir.Path() + "/config/quarncode/recent"); // the directories are made
    std::filesystem::create_directories("config/quarncode");
    std::filesystem::copy_file("old", "config/quarncode/recent");
    recent.Load();
    EXPECT_EQ((Strings{"b", "a"}), recent.GetFiles());
    for (const char* file : {"1", "2", "3", "4", "5", "6", "7", "a", "8"})
        EXPECT_TRUE(recent.Add(file));
    EXPECT_EQ((Strings{"8", "a", "7", "6", "5", "4", "3", "2"}), recent.GetFiles());
    EXPECT_FALSE(recent.Add("two\nlines"));
    EXPECT_TRUE(recent.Remove("6"));
    EXPECT_EQ("8\na\n7\n5\n4\n3\n2\n", Dir.ReadFile("config/quarncode/recent"));
    CRecentFiles other(recent.GetPath()); // another window's list, read again before adding
    EXPECT_TRUE(other.Add("9"));
    EXPECT_TRUE(recent.Add("a"));
    EXPECT_EQ((Strings{"a", "9", "8", "7", "5", "4", "3", "2"}), recent.GetFiles());
    EXPECT_FALSE(CRecentFiles(Dir.Path() + "/old/recent").Add("x")); // old is a file

    const std::string realHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("HOME", "/home/u", 1);
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ("/cfg/quarncode/recent", CRecentFiles::DefaultPath());
    setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    EXPECT_EQ("/home/u/.config/quarncode/recent", CRecentFiles::DefaultPath());
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ("", CRecentFiles::DefaultPath());
    setenv("HOME", realHome.c_str(), 1);
}
