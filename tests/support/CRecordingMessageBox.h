#pragma once

#include "base/IMessageBox.h"

#include <string>
#include <vector>

// Records the messages a program would show, as "caption: text".
class CRecordingMessageBox : public IMessageBox {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override {
        Messages.push_back(caption + ": " + text);
    }

    std::vector<std::string> Messages;
};
