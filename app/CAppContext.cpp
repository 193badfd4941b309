#include "app/CAppContext.h"

#include "app/CLogFile.h"
#include "app/IMessageBox.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <cstdio>

namespace {

CLogFile* CurrentLog = nullptr;                 // borrowed
const CLayoutSettings* CurrentLayout = nullptr; // borrowed
const CLooksSettings* CurrentLooks = nullptr;   // borrowed
IMessageBox* CurrentMessageBox = nullptr;       // borrowed

} // namespace

CLogFile& CAppContext::Log() {
    static CLogFile silent; // never opened: drops every entry
    return CurrentLog != nullptr ? *CurrentLog : silent;
}

void CAppContext::SetLog(CLogFile* log) {
    CurrentLog = log;
}

const CLayoutSettings& CAppContext::Layout() {
    static const CLayoutSettings defaults;
    return CurrentLayout != nullptr ? *CurrentLayout : defaults;
}

const CLooksSettings& CAppContext::Looks() {
    static const CLooksSettings defaults;
    return CurrentLooks != nullptr ? *CurrentLooks : defaults;
}

void CAppContext::SetSettings(const CLayoutSettings* layout, const CLooksSettings* looks) {
    CurrentLayout = layout;
    CurrentLooks = looks;
}

void CAppContext::ShowMessage(const std::string& text, const std::string& caption) {
    if (CurrentMessageBox != nullptr)
        CurrentMessageBox->ShowMessage(text, caption);
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

void CAppContext::SetMessageBox(IMessageBox* box) {
    CurrentMessageBox = box;
}
