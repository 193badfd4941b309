#pragma once

#include "import/IProgress.h"

#include <string>
#include <vector>

// Records what a load reports: "message:<text>", "value:<n>" and "refresh", in order.
class CRecordingProgress : public IProgress {
public:
    void SetMessage(const char* text) override { Events.push_back(std::string("message:") + text); }
    int GetValue() const override { return Value; }
    void SetValue(int value) override {
        Value = value;
        Events.push_back("value:" + std::to_string(value));
    }
    void Refresh() override { Events.push_back("refresh"); }

    std::vector<std::string> Events;
    int Value = 0;
};
