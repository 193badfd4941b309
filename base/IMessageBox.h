#pragma once

#include <string>

// Shows a message to the user and waits until it is acknowledged. The desktop program shows
// a message box; the command-line tool prints to standard error; tests record the call.
class IMessageBox {
public:
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

protected:
    ~IMessageBox() = default;
};
