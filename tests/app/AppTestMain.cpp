#include "AppTestSupport.h"

#include <cstdio>
#include <wx/init.h>

// The toolkit's application is a CQuarnCode that never starts; each test makes and destroys
// its own.
wxIMPLEMENT_APP_NO_MAIN(CQuarnCode);

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Death tests start a fresh copy of this program rather than forking the GUI process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
        return 1;
    }
    ToolkitApp = wxApp::GetInstance();
    int result;
    {
        // A dialog that a test does not answer fails it instead of waiting for a user.
        CTestModalHook unexpected;
        result = RUN_ALL_TESTS();
    }
    wxEntryCleanup();
    return result;
}
