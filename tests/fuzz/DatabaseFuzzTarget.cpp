// Fuzz target: arbitrary bytes as a compilation database, read as opening one reads it, each
// entry's command turned into the front end's options and its compiler checked against the
// allowlist. Checks that every word of a command survives the quoting for the build file's
// shell (quoting it and splitting it again gives the word back).
#include "CFuzzWorkspace.h"

#include "base/CError.h"
#include "import/CCompilationDatabase.h"
#include "import/CCompilerAllowlist.h"
#include "import/ParseOptions.h"
#include "import/ShellWords.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace::Get();
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        CCompilationDatabase database(text, "compile_commands.json");
        CCompilerAllowlist allowlist({"/opt/*/bin/*"});
        for (const CCompileEntry& entry : database.GetEntries()) {
            if (!entry.Error.empty())
                continue;
            std::vector<std::string> options = ParseOptions(entry.Arguments, entry.Directory);
            allowlist.Allows(CCompilerAllowlist::Locate(entry.Arguments[0], entry.Directory));
            for (const std::string& word : entry.Arguments) {
                std::vector<std::string> again;
                if (!SplitShellWords(QuoteShellWord(word), again) || again.size() != 1 ||
                    again[0] != word)
                    std::abort();
            }
        }
    } catch (const CError&) {
    }
    return 0;
}
