#pragma once

#include "base/IMessageBox.h"

// Shows the core's messages in the toolkit's message box (OK button, centred).
class CWxMessageBox : public IMessageBox {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
};
