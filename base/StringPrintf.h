#pragma once

#include <string>

// printf-style formatting into a std::string, without a length limit.
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
