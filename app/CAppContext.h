#pragma once

#include <string>

class CLogFile;
class IMessageBox;
struct CLayoutSettings;
struct CLooksSettings;

// The services that the GUI-free core reaches through the running program: its log, its
// current settings and its way of showing a message. The hosting program (desktop, command
// line, test) installs them; until then the core logs nothing, uses default settings and
// writes messages to standard error.
class CAppContext {
public:
    static CLogFile& Log();
    static void SetLog(CLogFile* log); // borrowed; null restores the silent log

    static const CLayoutSettings& Layout();
    static const CLooksSettings& Looks();
    // Both borrowed; null restores the defaults.
    static void SetSettings(const CLayoutSettings* layout, const CLooksSettings* looks);

    static void ShowMessage(const std::string& text, const std::string& caption);
    static void SetMessageBox(IMessageBox* box); // borrowed; null restores standard error
};
