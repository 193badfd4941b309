#include "import/IdParsing.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// The number of a token of digits; 0 for an empty token or one past the range of int.
int TokenNumber(const std::string& token) {
    int number = ParseNumber(token);
    return number < 0 ? 0 : number;
}

} // namespace

std::string NextIdToken(const std::string& text, std::string::size_type& cursor) {
    if (cursor == std::string::npos)
        return std::string();
    std::string::size_type underscore = text.find('_', cursor);
    std::string::size_type start = underscore == std::string::npos ? 0 : underscore + 1;
    std::string::size_type end = text.find_first_not_of("0123456789", start);
    if (end == std::string::npos)
        end = text.size();
    cursor = text.find('_', end);
    return text.substr(start, end - start);
}

int ParseId(const std::string& text) {
    std::string::size_type cursor = 0;
    return TokenNumber(NextIdToken(text, cursor));
}

void ParseIdList(const std::string& text, std::vector<int>& list) {
    std::string::size_type cursor = 0;
    while (cursor < text.size())
        list.push_back(TokenNumber(NextIdToken(text, cursor)));
}

int ParseNumber(const std::string& text) {
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return -1;
    return static_cast<int>(value);
}
