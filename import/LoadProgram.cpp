#include "import/LoadProgram.h"

#include "base/CError.h"
#include "import/CGccXmlReader.h"
#include "import/IProgress.h"
#include "model/CProgram.h"

std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress,
                                      CLogFile& log, const CommandRunner& runner,
                                      const CFrontEndSettings& frontEnd, std::string* notice) {
    if (progress != nullptr)
        progress->SetMessage("Reading XML file");
    CGccXmlReader reader(fileName, log, progress, runner, frontEnd);
    std::unique_ptr<CProgram> program = reader.Load();
    if (program == nullptr)
        throw CError("Could not load file\n" + reader.GetCause());
    if (notice != nullptr)
        *notice = reader.GetNotice();
    if (progress != nullptr)
        progress->SetMessage("Squarifying...");
    return program;
}
