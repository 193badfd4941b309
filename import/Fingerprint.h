#pragma once

#include <string>

// A short name for a text that stays the same from run to run and machine to machine: 16
// hexadecimal digits of its 64-bit FNV-1a hash. Names cache files after what they hold.
std::string Fingerprint(const std::string& text);
