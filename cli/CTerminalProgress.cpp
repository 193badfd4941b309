#include "cli/CTerminalProgress.h"

#include <cstdio>

CTerminalProgress::CTerminalProgress(bool show) : Show(show), Start(Clock::now()) {}

void CTerminalProgress::End() {
    if (Drawn)
        std::fputs("\n", stderr);
    Drawn = false;
}

bool CTerminalProgress::Saw(const std::string& message) const {
    for (const Mark& mark : Marks) {
        if (mark.Message == message)
            return true;
    }
    return false;
}

void CTerminalProgress::SetMessage(const char* text) {
    Message = text;
    Marks.push_back({Message, Clock::now()});
    Refresh();
}

void CTerminalProgress::Refresh() {
    if (!Show)
        return;
    std::fprintf(stderr, "\r%-24s %3d%%", Message.c_str(), Value);
    std::fflush(stderr);
    Drawn = true;
}

CTerminalProgress::Clock::time_point CTerminalProgress::TimeOf(const std::string& message) const {
    for (const Mark& mark : Marks) {
        if (mark.Message == message)
            return mark.Time;
    }
    return Start;
}
