#include "app/CQuarnCode.h"

#include "app/CAppContext.h"
#include "settings/SettingsFile.h"

#include <wx/frame.h>
#include <wx/msgdlg.h>

wxIMPLEMENT_APP(CQuarnCode);

bool CQuarnCode::OnInit() {
    Log = new CLogFile();
    if (!Log->Open("log.txt"))
        wxMessageBox("Could not create log file", "Error", wxOK | wxCENTRE);
    CAppContext::SetLog(Log);
    CAppContext::SetSettings(&Layout, &Looks);

    wxFrame* frame = new wxFrame(nullptr, -1, "Quarn Code", wxDefaultPosition, wxSize(800, 600));
    LoadSettings();
    frame->Show(true);
    SetTopWindow(frame);
    return true;
}

void CQuarnCode::LoadSettings() {
    ReadSettings(Layout, Looks);
    Log->Write("Config file loaded, layout: ", DumpLayoutSettings(Layout), "");
    Log->Write("Config file loaded, looks: ", DumpLooksSettings(Looks), "");
}

CQuarnCode::~CQuarnCode() {
    CAppContext::SetLog(nullptr);
    CAppContext::SetSettings(nullptr, nullptr);
    delete Log;
}
