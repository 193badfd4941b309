// Compilation databases: reading them, the commands and options taken from them, the
// compilers the front end may run, the settings that say how, and the cache directory.
#include "base/CError.h"
#include "base/CLogFile.h"
#include "cli/CCommandLine.h"
#include "import/CCacheDirectory.h"
#include "import/CCompilationDatabase.h"
#include "import/CCompilerAllowlist.h"
#include "import/ParseOptions.h"
#include "import/ShellWords.h"
#include "settings/SettingsFile.h"
#include "support/CRecordingProgress.h"
#include "support/CTempDir.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(ShellWords, SplitAsAPosixShellDoesWithoutExpanding) {
    const std::pair<const char*, Words> cases[] = {
        {"c++ -DX=\"a b\" -c 'f g.cpp'", {"c++", "-DX=a b", "-c", "f g.cpp"}},
        {"a\\ b \"c\\\"d\" 'e\\f' \"x\\y\\\\\"", {"a b", "c\"d", "e\\f", "x\\y\\"}},
        {" \"\"  $HOME\t*\n'' ", {"", "$HOME", "*", ""}},
        {"a\\\nb \"c\\\nd\"", {"ab", "cd"}},
    };
    for (const auto& [command, expected] : cases) {
        Words words;
        EXPECT_TRUE(SplitShellWords(command, words)) << command;
        EXPECT_EQ(expected, words) << command;
    }
    Words words;
    for (const char* unbalanced : {"c++ \"a.cpp", "c++ 'a.cpp", "c++ a.cpp\\"})
        EXPECT_FALSE(SplitShellWords(unbalanced, words)) << unbalanced;
}

// The build file's commands run through /bin/sh: a quoted word arrives whole and unexpanded.
TEST(ShellWords, AQuotedWordReachesTheShellAsItIs) {
    for (std::string word : {"it's", "$(touch x) `y` \"z\" *", "a  b\\", ""}) {
        FILE* shell = popen(("printf %s " + QuoteShellWord(word)).c_str(), "r");
        char buffer[256] = {};
        std::size_t got = std::fread(buffer, 1, sizeof buffer, shell);
        pclose(shell);
        EXPECT_EQ(word, std::string(buffer, got));
    }
}

// Words of a command line (split by the function tested above).
Words Split(const std::string& command) {
    Words words;
    SplitShellWords(command, words);
    return words;
}

TEST(ParseOptions, KeepOnlyWhatChangesWhatTheCompilerSeesWithDirectoriesMadeAbsolute) {
    std::string kept = "-I inc -Iinc2 -isystem /s -iquote q -DA=1 -D B -UC -std=c++17 "
                       "-fno-exceptions -fPIC -march=native -msse4.2 -include pre.h "
                       "--sysroot=../r -nostdinc++ -idirafter /late -I=sys";
    std::string dropped = "-O2 -g -Wall -o x.o -c src.cpp -MD -MF x.d -fplugin=evil.so -mllvm "
                          "-load -Xclang -load -fdiagnostics-color=always -pthread";
    std::string absolute = "-I /p/b/inc -I/p/b/inc2 -isystem /s -iquote /p/b/q -DA=1 -D B -UC "
                           "-std=c++17 -fno-exceptions -fPIC -march=native -msse4.2 -include "
                           "pre.h --sysroot=/p/r -nostdinc++ -idirafter /late -I=sys";
    EXPECT_EQ(Split(absolute), ParseOptions(Split("c++ " + dropped + " " + kept), "/p/b"));
}

TEST(CompilerAllowlist, AllowsTheSystemCompilersAndTheGlobsGiven) {
    CCompilerAllowlist allowlist({"/opt/*/bin/g++"});
    for (const char* path :
         {"/usr/bin/g++", "/usr/bin/c++", "/usr/bin/cc", "/usr/bin/gcc-12",
          "/usr/local/bin/clang++-14", "/usr/local/bin/clang", "/opt/gcc13/bin/g++"})
        EXPECT_TRUE(allowlist.Allows(path)) << path;
    for (const char* path : {"/usr/bin/g++-x", "/usr/bin/python3", "/tmp/gcc", "/usr/bin/sub/gcc",
                             "/usr/bin/gcc-12/../../../tmp/x", "/opt/a/b/bin/g++", "gcc", ""})
        EXPECT_FALSE(allowlist.Allows(path)) << path;
    EXPECT_EQ("/tmp/gcc", CCompilerAllowlist::Locate("../../tmp/gcc", "/usr/bin"));
    EXPECT_EQ("/usr/bin/cc", CCompilerAllowlist::Locate("/usr/bin//cc", "/home"));
    EXPECT_EQ("/usr/bin/c++", CCompilerAllowlist::Locate("c++", "/home"));
    EXPECT_EQ("", CCompilerAllowlist::Locate("no-such-compiler", "/home"));
}

TEST(CompilationDatabase, ReadsBothEntryFormsWithPathsMadeAbsolute) {
    CCompilationDatabase database(
        "[{\"directory\": \"/p/build\", \"file\": \"../src/a.cpp\",\n"
        "  \"arguments\": [\"c++\", \"-I\", \"x y\", \"-c\", \"../src/a.cpp\"]},\n"
        " {\"directory\": \"rel\", \"file\": \"/abs/b.cpp\", \"command\": \"cc -DA='1 2' b.cpp\"}]",
        "/db/compile_commands.json");
    const std::vector<CCompileEntry>& entries = database.GetEntries();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("/p/src/a.cpp", entries[0].Source);
    EXPECT_EQ((Words{"c++", "-I", "x y", "-c", "../src/a.cpp"}), entries[0].Arguments);
    EXPECT_EQ("/db/rel", entries[1].Directory);
    EXPECT_EQ("/abs/b.cpp", entries[1].Source);
    EXPECT_EQ((Words{"cc", "-DA=1 2", "b.cpp"}), entries[1].Arguments);
    EXPECT_TRUE(entries[0].Error.empty() && entries[1].Error.empty());
}

TEST(CompilationDatabase, AnEntryThatCannotBeCompiledSaysWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "is not an object"},
        {"{\"directory\": \"/d\", \"command\": \"c++ a.cpp\"}", "has no \"file\""},
        {"{\"file\": \"a.cpp\", \"directory\": 7, \"command\": \"c++\"}", "has no \"directory\""},
        {"{\"file\": \"a\", \"directory\": \"/d\"}", "has neither \"arguments\" nor \"command\""},
        {"{\"file\": \"a\", \"directory\": \"/d\", \"command\": \"c++ \\\"a.cpp\"}",
         "has a \"command\" with an unbalanced quote or a trailing backslash"},
        {"{\"file\": \"a\", \"directory\": \"/d\", \"arguments\": [\"c++\", 3]}",
         "has \"arguments\" that are not all texts"},
    };
    for (const auto& [entry, error] : cases) {
        CCompilationDatabase database(std::string("[") + entry + "]", "db.json");
        EXPECT_EQ(error, database.GetEntries().at(0).Error) << entry;
    }
}

TEST(CompilationDatabase, TextThatIsNoDatabaseThrowsAMessageNamingTheFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"[{\"file\": \"a.cpp\",", "db.json is not a valid compilation database: parse error at "
                                   "line 1, column 19"},
        {" [ ] ", "db.json is an empty compilation database: it lists no files"},
        {"{}", "db.json is not a compilation database: it holds no JSON array"},
    };
    for (const auto& c : cases) {
        try {
            CCompilationDatabase(c.first, "db.json");
            ADD_FAILURE() << c.first;
        } catch (const CError& error) {
            EXPECT_EQ(0u, std::string(error.what()).find(c.second)) << error.what();
        }
    }
    CTempDir dir;
    dir.WriteFile("a.json", "\xEF\xBB\xBF \n[");
    EXPECT_TRUE(CCompilationDatabase::IsDatabase("a.json"));
}

TEST(FrontEndSettings, ComeFromTheSettingsFileAndTheCommandLine) {
    CTempDir dir;
    dir.WriteFile("new.cfg",
                  "<settings><frontend jobs=\"3\" query_driver=\"/o/*, /x/cc\"/></settings>");
    dir.WriteFile("old.cfg", "<settings><layout/></settings>");
    dir.WriteFile("bad.cfg", "<settings><frontend jobs=\"-1\"/></settings>");
    CFrontEndSettings settings;
    EXPECT_TRUE(ReadFrontEndSettings(settings, "new.cfg"));
    EXPECT_EQ(3, settings.Jobs);
    EXPECT_EQ((Words{"/o/*", "/x/cc"}), settings.QueryDrivers);
    EXPECT_FALSE(ReadFrontEndSettings(settings, "old.cfg")); // defaults
    EXPECT_TRUE(settings.QueryDrivers.empty());
    settings.Jobs = 5;
    EXPECT_TRUE(ReadFrontEndSettings(settings, "bad.cfg"));
    EXPECT_EQ(0, settings.Jobs);
    EXPECT_TRUE(ReadFrontEndSettings(settings, QUARN_SOURCE_DIR "/settings.cfg"));
    Words argv =
        Split("quarncode-cli stats --jobs 2 --query-driver /a/*,/b/cc --query-driver /c x");
    std::vector<char*> pointers;
    for (std::string& word : argv)
        pointers.push_back(&word[0]);
    CCommandLine line = CCommandLine::Parse(static_cast<int>(argv.size()), pointers.data());
    EXPECT_EQ(2, line.Jobs);
    EXPECT_EQ((Words{"/a/*", "/b/cc", "/c"}), line.QueryDrivers);
}

TEST(CacheDirectory, IsOnePerDatabaseAndFallsBackToAPrivateTemporaryOne) {
    CTempDir dir;
    CLogFile log;
    log.Open("log.txt");
    std::string root = dir.Path() + "/cache";
    CCacheDirectory cache(root, "db.json", log);
    EXPECT_EQ(cache.GetPath(), CCacheDirectory(root, dir.Path() + "/db.json", log).GetPath());
    EXPECT_NE(cache.GetPath(), CCacheDirectory(root, "other.json", log).GetPath());
    EXPECT_EQ(0u, cache.GetPath().find(root + "/"));

    dir.WriteFile("file", ""); // no directory can be made below a file
    CCacheDirectory fallback(dir.Path() + "/file/cache", "db.json", log);
    std::string temporary = std::filesystem::temp_directory_path().string() + "/quarncode-";
    EXPECT_EQ(0u, fallback.GetPath().find(temporary));
    EXPECT_TRUE(std::filesystem::is_directory(fallback.GetPath()));
    EXPECT_NE(std::string::npos, dir.ReadFile("log.txt").find(" cannot be written (Not a "
                                                              "directory); using " +
                                                              fallback.GetPath()));
    std::filesystem::remove_all(fallback.GetPath());
    std::error_code inUse; // another run's caches may be there
    std::filesystem::remove(std::filesystem::path(fallback.GetPath()).parent_path(), inUse);
}

// Two programs opening one database take turns: the second waits, and can be cancelled.
TEST(CacheDirectory, ASecondUserWaitsForTheLockUntilCancelled) {
    CTempDir dir;
    CLogFile log;
    auto first = std::make_unique<CCacheDirectory>(dir.Path(), "db.json", log);
    ASSERT_TRUE(first->Lock(nullptr));
    CCacheDirectory second(dir.Path(), "db.json", log);
    struct CCancelling : CRecordingProgress {
        int Asked = 0;
        bool IsCancelled() override { return ++Asked >= 2; }
    } progress;
    ASSERT_FALSE(second.Lock(&progress));
    EXPECT_EQ("message:Waiting for another program that opens this database", progress.Events[0]);
    first.reset();
    EXPECT_TRUE(second.Lock(&progress));
}
