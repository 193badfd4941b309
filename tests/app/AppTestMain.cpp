// The desktop program's test binary: the toolkit is started once for the run with a plain
// application object; the session test makes the program's own. The program keeps its recent
// files in a configuration directory of the run's own, not in the user's.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    char config[] = "/tmp/quarn-config-XXXXXX";
    if (mkdtemp(config) == nullptr || setenv("XDG_CONFIG_HOME", config, 1) != 0)
        return 1;
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    std::filesystem::remove_all(config);
    return result;
}
