// Saving replaces a settings file in one step, and reading one reads nothing beyond it.
#include "settings/CXmlDocument.h"
#include "settings/SettingsFile.h"
#include "support/CFileOpenWatch.h"
#include "support/CLocalListener.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string SettingsWith(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<settings>" + body + "</settings>\n";
}

const std::string Original =
    SettingsWith("<layout><children area=\"0.5\"/><border width=\"0.001\"/></layout>"
                 "<looks><cushion f=\"1\" h=\"2\"/></looks>");

// Runs body in a child process and returns its result (its exit status), or -1 when it did
// not end normally. The child ends without running the test's teardown.
int InChild(const std::function<int()>& body) {
    pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// In a child: the save reported exactly one failure, "error saving configuration file" under
// "Parser error" (0), or not (1).
int SaveFails(const std::string& fileName) {
    CRecordingMessageBox box;
    CLayoutSettings layout;
    CLooksSettings looks;
    looks.CushionF = 0.25f;
    bool saved = SaveSettings(layout, looks, fileName);
    return !saved && box.Messages.size() == 1 &&
                   box.Messages[0].Text == "error saving configuration file" &&
                   box.Messages[0].Caption == "Parser error"
               ? 0
               : 1;
}

// The names of the entries of a directory.
std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// A directory that takes no new file: the temporary copy cannot be made, the save is reported
// as failed, and both "settings.cfg" and an older copy under another name stay byte for byte.
// (Run as an unprivileged user: the permission bits do not bind a privileged one.)
TEST(SafeSaving, DirectoryWithoutRoomForTheTemporaryFileKeepsTheOriginal) {
    CTempDir dir;
    std::filesystem::create_directory("locked");
    dir.WriteFile("locked/settings.cfg", Original);
    dir.WriteFile("locked/mine.cfg", "<settings><old/></settings>");
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
    std::filesystem::permissions("locked", std::filesystem::perms(0555));
    std::filesystem::current_path("locked");
    int result = InChild([] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 2;
        return SaveFails("") == 0 && SaveFails("mine.cfg") == 0 ? 0 : 1;
    });
    std::filesystem::current_path(dir.Path());
    std::filesystem::permissions("locked", std::filesystem::perms(0755));
    EXPECT_EQ(0, result);
    EXPECT_EQ(Original, dir.ReadFile("locked/settings.cfg"));
    EXPECT_EQ("<settings><old/></settings>", dir.ReadFile("locked/mine.cfg"));
    EXPECT_EQ((std::vector<std::string>{"mine.cfg", "settings.cfg"}), Entries("locked"));
}

// A write that fails half-way (the file-size limit stops it after 100 bytes): the save is
// reported as failed, the original stays byte for byte and no temporary file is left behind.
TEST(SafeSaving, FailedWriteKeepsTheOriginal) {
    CTempDir dir;
    dir.WriteFile("settings.cfg", Original);
    dir.WriteFile("mine.cfg", "<settings><old/></settings>");
    int result = InChild([] {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        rlimit limit{100, 100};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        return SaveFails("") == 0 && SaveFails("mine.cfg") == 0 ? 0 : 1;
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(Original, dir.ReadFile("settings.cfg"));
    EXPECT_EQ("<settings><old/></settings>", dir.ReadFile("mine.cfg"));
    EXPECT_EQ((std::vector<std::string>{"mine.cfg", "settings.cfg"}), Entries("."));
}

// A successful save replaces the file by a new one with the same permissions, leaves no
// temporary file, and through a symbolic link replaces the file the link names.
TEST(SafeSaving, SaveKeepsPermissionsAndSymbolicLinks) {
    CTempDir dir;
    CRecordingMessageBox box;
    dir.WriteFile("real.cfg", Original);
    std::filesystem::permissions("real.cfg", std::filesystem::perms(0640));
    std::filesystem::create_symlink("real.cfg", "settings.cfg");
    struct stat before;
    ASSERT_EQ(0, stat("real.cfg", &before));
    CLayoutSettings layout;
    CLooksSettings looks;
    looks.CushionF = 0.25f;
    ASSERT_TRUE(SaveSettings(layout, looks, ""));
    ASSERT_TRUE(SaveSettings(layout, looks, "copy.cfg"));
    EXPECT_TRUE(box.Messages.empty());

    EXPECT_TRUE(std::filesystem::is_symlink("settings.cfg"));
    struct stat after;
    ASSERT_EQ(0, stat("real.cfg", &after));
    EXPECT_NE(before.st_ino, after.st_ino); // a new file took the old one's place
    EXPECT_EQ(0640u, after.st_mode & 07777);
    EXPECT_NE(std::string::npos, dir.ReadFile("real.cfg").find("f=\"0.25\""));
    EXPECT_NE(std::string::npos, dir.ReadFile("copy.cfg").find("f=\"0.25\""));
    mode_t mask = umask(0);
    umask(mask);
    struct stat copy;
    ASSERT_EQ(0, stat("copy.cfg", &copy));
    EXPECT_EQ(0666u & ~mask, copy.st_mode & 07777);
    EXPECT_EQ((std::vector<std::string>{"copy.cfg", "real.cfg", "settings.cfg"}), Entries("."));
}

// External entities, external document types and the network are never read; an entity
// reference in an attribute is not expanded (the attribute reads as empty); an expansion bomb
// makes the file unreadable at once, and the defaults are kept.
TEST(SettingsEntities, ReadingReadsNothingBeyondTheFile) {
    CTempDir dir;
    dir.WriteFile("injected.xml", "<layout><children area=\"0.5\"/></layout>");
    dir.WriteFile("defaults.dtd", "<!ATTLIST children area CDATA \"0.25\">");
    CFileOpenWatch watch;
    watch.Watch(dir.Path() + "/injected.xml");
    watch.Watch(dir.Path() + "/defaults.dtd");
    CLocalListener network;
    std::string url = "http://127.0.0.1:" + std::to_string(network.GetPort()) + "/x.dtd";
    auto withDoctype = [](const std::string& doctype, const std::string& body) {
        return "<?xml version=\"1.0\"?>\n<!DOCTYPE settings " + doctype + ">\n<settings>" + body +
               "</settings>\n";
    };
    const std::string documents[] = {
        withDoctype("[<!ENTITY ext SYSTEM \"injected.xml\">]", "&ext;"),
        withDoctype("[<!ENTITY ext SYSTEM \"" + url + "\">]", "&ext;"),
        withDoctype("SYSTEM \"defaults.dtd\"", "<layout><children/></layout>"),
        withDoctype("SYSTEM \"" + url + "\"", "<layout><children/></layout>"),
        withDoctype("[<!ENTITY % ext SYSTEM \"defaults.dtd\"> %ext;]",
                    "<layout><children/></layout>"),
    };
    for (const std::string& document : documents) {
        dir.WriteFile("settings.cfg", document);
        CLayoutSettings layout;
        CLooksSettings looks;
        EXPECT_TRUE(ReadSettings(layout, looks)) << document;
        EXPECT_EQ(CLayoutSettings().ChildAreaFactor, layout.ChildAreaFactor) << document;
    }
    EXPECT_FALSE(watch.Touched());
    EXPECT_EQ(0, network.GetConnections());

    dir.WriteFile("settings.cfg", withDoctype("[<!ENTITY w \"0.5\">]",
                                              "<layout><children area=\"&w;\"/></layout>"));
    CLayoutSettings layout;
    CLooksSettings looks;
    EXPECT_TRUE(ReadSettings(layout, looks));
    EXPECT_EQ(0.0f, layout.ChildAreaFactor);

    std::string laughs = "<!ENTITY a0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            laughs += "&a" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    for (const char* body :
         {"<layout>&a9;</layout>", "<layout><children area=\"&a9;\"/></layout>"}) {
        dir.WriteFile("settings.cfg", withDoctype("[" + laughs + "]", body));
        layout.ChildAreaFactor = 7;
        EXPECT_FALSE(ReadSettings(layout, looks)) << body;
        EXPECT_EQ(CLayoutSettings().ChildAreaFactor, layout.ChildAreaFactor) << body;
    }
}

// Files that are not settings files at all keep the defaults: binary data, text in another
// encoding than it declares, and an encoding the parser does not know. A file in a declared
// single-byte encoding is read.
TEST(SettingsEntities, BinaryAndMisencodedFilesKeepTheDefaults) {
    CTempDir dir;
    for (const std::string& text :
         {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
          SettingsWith("<layout><children area=\"0.5\" note=\"\xe9t\xe9\"/></layout>"),
          std::string("<?xml version=\"1.0\" encoding=\"no-such-encoding\"?>\n") +
              "<settings><layout><children area=\"0.5\"/></layout></settings>"}) {
        dir.WriteFile("settings.cfg", text);
        CLayoutSettings layout;
        CLooksSettings looks;
        EXPECT_FALSE(ReadSettings(layout, looks));
        EXPECT_EQ(CLayoutSettings().ChildAreaFactor, layout.ChildAreaFactor);
    }
    dir.WriteFile("settings.cfg", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<settings>"
                                  "<layout><children area=\"0.5\" note=\"\xe9t\xe9\"/></layout>"
                                  "</settings>");
    CLayoutSettings layout;
    CLooksSettings looks;
    EXPECT_TRUE(ReadSettings(layout, looks));
    EXPECT_EQ(0.5f, layout.ChildAreaFactor);
}

// Found by fuzzing: a border width whose thousandths do not fit an int made the derived whole
// width an undefined conversion. It now takes the nearest end of the range (0 for a width
// that is not a number); every width that fits is derived as before.
TEST(SettingsEntities, BorderWidthsPastTheRangeOfIntSaturate) {
    CTempDir dir;
    struct {
        const char* Width;
        int Derived;
    } cases[] = {{"888888888888", INT_MAX}, {"-1e300", INT_MIN}, {"1e39", INT_MAX}, {"nan", 0},
                 {"1234.5", 1234500},       {"-0.0072", -7},     {"0.005", 4}};
    for (const auto& c : cases) {
        dir.WriteFile("settings.cfg", SettingsWith(std::string("<layout><border width='") +
                                                   c.Width + "'/></layout>"));
        CLayoutSettings layout;
        CLooksSettings looks;
        ASSERT_TRUE(ReadSettings(layout, looks)) << c.Width;
        EXPECT_EQ(c.Derived, looks.DynamicBorderWidth) << c.Width;
    }
}
