#pragma once

#include "import/IProgress.h"

#include <chrono>
#include <string>
#include <vector>

// Progress of a load for the command-line tool: on a terminal, one line on standard error
// that is rewritten with each message and gauge value; elsewhere nothing is printed. Records
// when each message arrived, so the tool can report how long each phase took.
class CTerminalProgress : public IProgress {
public:
    using Clock = std::chrono::steady_clock;

    struct Mark {
        std::string Message;
        Clock::time_point Time;
    };

    // Draws on standard error when show is true.
    explicit CTerminalProgress(bool show);
    // Ends the progress line.
    ~CTerminalProgress() { End(); }

    // Ends the progress line, when one was drawn, so that other output starts on a new line.
    void End();

    void SetMessage(const char* text) override;
    int GetValue() const override { return Value; }
    void SetValue(int value) override { Value = value; }
    void Refresh() override;

    // Whether the message arrived.
    bool Saw(const std::string& message) const;
    // The time a message first arrived; the construction time when it never did.
    Clock::time_point TimeOf(const std::string& message) const;

    std::vector<Mark> Marks;

private:
    bool Show;
    bool Drawn = false;
    std::string Message;
    int Value = 0;
    Clock::time_point Start;
};
