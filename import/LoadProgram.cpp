#include "import/LoadProgram.h"

#include "import/CGccXmlReader.h"
#include "import/IProgress.h"
#include "model/CProgram.h"

std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress) {
    auto program = std::make_unique<CProgram>();
    if (progress != nullptr)
        progress->SetMessage("Reading XML file");
    {
        CGccXmlReader reader(fileName, program.get(), progress);
        if (!reader.Load())
            throw "Could not load file";
    }
    if (progress != nullptr)
        progress->SetMessage("Squarifying...");
    return program;
}
