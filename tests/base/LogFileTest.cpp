#include "base/CLogFile.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

// The log starts afresh at every run, writes each entry as one line at once, and closes with
// an entry of its own; a log that cannot be opened drops everything silently.
TEST(LogFile, StartsAfreshAndWritesEachEntryAtOnce) {
    CTempDir dir;
    dir.WriteFile("log.txt", "an earlier run\n");
    const std::string entries = "start logging: opening log file\n[Sub Class Query] Query: "
                                "Selects all\n[error] Error in xml file: Class_4\n";
    {
        CLogFile log;
        ASSERT_TRUE(log.Open("log.txt"));
        log.Write("Query", "Selects all", "Sub Class Query");
        log.Error("Error in xml file", "Class_4");
        EXPECT_EQ(entries, dir.ReadFile("log.txt"));
    }
    EXPECT_EQ(entries + "stop logging: closing file\n", dir.ReadFile("log.txt"));
    CLogFile nowhere;
    EXPECT_FALSE(nowhere.Open(dir.Path() + "/no/such/dir/log.txt"));
    nowhere.Error("dropped", "silently");
}
