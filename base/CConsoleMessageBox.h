#pragma once

#include "base/IMessageBox.h"

#include <cstdio>

// Shows messages on standard error as "caption: text", for programs without a window.
class CConsoleMessageBox : public IMessageBox {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
};
