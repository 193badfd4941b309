#include "import/LoadProgram.h"

#include "base/CError.h"
#include "import/CGccXmlReader.h"
#include "import/IProgress.h"
#include "model/CProgram.h"

std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress,
                                      CLogFile& log, const CommandRunner& runner) {
    if (progress != nullptr)
        progress->SetMessage("Reading XML file");
    CGccXmlReader reader(fileName, log, progress, runner);
    std::unique_ptr<CProgram> program = reader.Load();
    if (program == nullptr)
        throw CError("Could not load file\n" + reader.GetCause());
    if (progress != nullptr)
        progress->SetMessage("Squarifying...");
    return program;
}
