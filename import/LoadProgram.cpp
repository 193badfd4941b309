#include "import/LoadProgram.h"

#include "base/CError.h"
#include "import/CGccXmlReader.h"
#include "import/IProgress.h"
#include "model/CProgram.h"

std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress,
                                      CLogFile& log, const CommandRunner& runner) {
    if (progress != nullptr)
        progress->SetMessage("Reading XML file");
    std::unique_ptr<CProgram> program = CGccXmlReader(fileName, log, progress, runner).Load();
    if (program == nullptr)
        throw CError("Could not load file");
    if (progress != nullptr)
        progress->SetMessage("Squarifying...");
    return program;
}
