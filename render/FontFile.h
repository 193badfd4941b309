#pragma once

#include <string>

// The file of the font that fontconfig matches to pattern (a fontconfig name such as
// "sans-serif" or "DejaVu Sans:bold"), through a configuration of its own that is destroyed
// before returning. Empty when fontconfig cannot be set up or matches no file.
std::string FindFontFile(const std::string& pattern);
