#pragma once

#include "app/CLogFile.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <wx/app.h>

// The application object: owns the log and the current settings, and builds the program's
// long-lived objects at start-up.
class CQuarnCode : public wxApp {
public:
    ~CQuarnCode() override;

    bool OnInit() override;

    // Reads the settings file into Layout and Looks and logs both.
    void LoadSettings();

private:
    CLogFile* Log = nullptr; // owned
    CLayoutSettings Layout;
    CLooksSettings Looks;
};

wxDECLARE_APP(CQuarnCode);
