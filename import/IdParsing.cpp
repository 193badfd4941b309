#include "import/IdParsing.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// The number of the digits from text + start up to the first non-digit, whose position goes
// to end; 0 for no digits or a number past the range of int.
int DigitRun(const char* text, std::size_t start, std::size_t& end) {
    long long value = 0;
    bool tooLarge = false;
    for (end = start; text[end] >= '0' && text[end] <= '9'; ++end) {
        value = value * 10 + (text[end] - '0');
        if (value > INT_MAX) {
            tooLarge = true;
            value = 0;
        }
    }
    return tooLarge ? 0 : static_cast<int>(value);
}

} // namespace

int ParseId(const char* text) {
    const char* underscore = std::strchr(text, '_');
    std::size_t end = 0;
    return DigitRun(text, underscore == nullptr ? 0 : underscore - text + 1, end);
}

void ParseIdList(const char* text, std::vector<int>& list) {
    const std::size_t size = std::strlen(text);
    std::size_t cursor = 0;
    while (cursor < size) {
        const char* underscore = std::strchr(text + cursor, '_');
        std::size_t end = 0;
        list.push_back(DigitRun(text, underscore == nullptr ? 0 : underscore - text + 1, end));
        const char* next = std::strchr(text + end, '_');
        cursor = next == nullptr ? size : static_cast<std::size_t>(next - text);
    }
}

int ParseNumber(const char* text) {
    // Most texts are a few digits alone: read at once.
    std::size_t end = 0;
    int number = DigitRun(text, 0, end);
    if (end > 0 && end < 10 && text[end] == 0)
        return number;
    errno = 0;
    long value = std::strtol(text, nullptr, 10);
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return -1;
    return static_cast<int>(value);
}
