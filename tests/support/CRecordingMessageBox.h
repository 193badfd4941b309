#pragma once

#include "app/IMessageBox.h"

#include <string>
#include <vector>

// Records the messages the core would show, and installs itself for its lifetime.
class CRecordingMessageBox : public IMessageBox {
public:
    struct Message {
        std::string Text;
        std::string Caption;
    };

    CRecordingMessageBox();
    ~CRecordingMessageBox();

    void ShowMessage(const std::string& text, const std::string& caption) override;

    std::vector<Message> Messages;
};
