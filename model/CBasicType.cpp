#include "model/CBasicType.h"

#include "base/CError.h"
#include "base/CLogFile.h"
#include "model/CSizing.h"

#include <unordered_map>

const char* const UnknownFundamentalTypeMessage =
    "Could not init basic type, check the log file for details";

int CBasicType::FundamentalSize(const std::string& name) {
    static const std::unordered_map<std::string, int> sizes = {
        {"char", 1},
        {"signed char", 1},
        {"unsigned char", 1},
        {"bool", 1},
        {"int", 4},
        {"unsigned int", 4},
        {"short", 2},
        {"short int", 2},
        {"short unsigned int", 2},
        {"float", 4},
        {"double", 8},
        {"long", 4},
        {"long int", 4},
        {"long unsigned int", 4},
        {"long long int", 8},
        {"long long unsigned int", 8},
        {"long double", 8},
        {"wchar_t", 2},
        {"__wchar_t", 2},
        {"void", 0},
        // Reported by today's front end on x86_64.
        {"char8_t", 1},
        {"char16_t", 2},
        {"char32_t", 4},
        {"__int128", 16},
        {"unsigned __int128", 16},
        {"__float128", 16},
        {"decltype(nullptr)", 4},
    };
    auto found = sizes.find(name);
    return found != sizes.end() ? found->second : -1;
}

void CBasicType::ComputeSize(const CSizing& sizing) {
    if (Computed)
        return;
    Computed = true;
    int size = FundamentalSize(Name);
    if (size < 0) {
        const std::string cause = Name + " is an unknown fundamental type.";
        sizing.Log.Error("Could not init basic type", cause);
        throw CError(UnknownFundamentalTypeMessage + ("\n" + cause));
    }
    Size = size;
    Lines = 1;
}
