#pragma once

#include <stdexcept>
#include <string>

// A failure whose text is shown to the user as it stands: a load that cannot go on, a settings
// file that cannot be saved, a window that cannot start. Thrown below the command boundaries
// that show messages and caught there.
class CError : public std::runtime_error {
public:
    explicit CError(const std::string& text) : std::runtime_error(text) {}
};
