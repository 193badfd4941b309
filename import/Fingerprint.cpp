#include "import/Fingerprint.h"

#include <cstdint>

std::string Fingerprint(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    std::string digits(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        digits[static_cast<std::size_t>(i)] = "0123456789abcdef"[hash & 15];
    return digits;
}
