#include "render/FontFile.h"

#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

} // namespace

std::string FindFontFile(const std::string& pattern) {
    std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    if (!config)
        return "";
    PatternPtr wanted(FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str())));
    if (!wanted)
        return "";
    FcConfigSubstitute(config.get(), wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config.get(), wanted.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        file == nullptr)
        return "";
    return reinterpret_cast<const char*>(file);
}
