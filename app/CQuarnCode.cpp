#include "app/CQuarnCode.h"

#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "app/CPrefDlg.h"
#include "app/CProgressDlg.h"
#include "app/CQuarnWindow.h"
#include "import/LoadProgram.h"
#include "model/CProgram.h"
#include "model/CQuery.h"
#include "render/CBasicView.h"
#include "render/CViewData.h"
#include "settings/SettingsFile.h"

#include <wx/msgdlg.h>

bool CQuarnCode::OnInit() {
    View = nullptr;
    ViewData = nullptr;
    Log = new CLogFile();
    if (!Log->Open("log.txt"))
        wxMessageBox("Could not create log file", "Error", wxOK | wxCENTRE);
    CAppContext::SetLog(Log);
    CAppContext::SetSettings(&Layout, &Looks);
    CAppContext::SetMessageBox(&MessageBox);
    try {
        MainWindow = new CQuarnWindow();
        View = new CBasicView(MainWindow);
        LoadSettings();
        MainWindow->Show(true);
        SetTopWindow(MainWindow);
        return true;
    } catch (const char* message) {
        wxMessageBox(message, "Error initializing windows", wxOK | wxICON_INFORMATION);
        return false;
    }
}

void CQuarnCode::LoadSettings() {
    ReadSettings(Layout, Looks);
    Log->Write("Config file loaded, layout: ", DumpLayoutSettings(Layout), "");
    Log->Write("Config file loaded, looks: ", DumpLooksSettings(Looks), "");
    View->SetLayoutSettings(Layout);
    View->SetLooksSettings(Looks);
}

void CQuarnCode::LoadFile(std::string fileName) {
    CViewData* data = new CViewData();
    CProgressDlg progress;
    progress.SetValue(0);
    progress.Refresh();
    progress.Show(true);
    try {
        std::unique_ptr<CProgram> program = LoadProgram(fileName, &progress);
        if (ViewData != nullptr) {
            ViewData->Clear();
            delete ViewData;
        }
        // From here on the new view data owns the program: a failure releases it only there.
        ViewData = data;
        ViewData->SetProgram(std::move(program));
        View->SetViewData(ViewData);
        ViewData->Attach(View);
        // The dialog is not modal: ending it means hiding it.
        progress.Hide();
    } catch (const char* message) {
        progress.Hide();
        if (ViewData == data)
            ViewData = nullptr;
        delete data;
        wxMessageBox(wxString::FromUTF8(message), "Error loading", wxOK | wxCENTRE);
    }
}

void CQuarnCode::CloseFile() {
    if (ViewData == nullptr)
        return;
    ViewData->Clear();
    delete ViewData;
    ViewData = nullptr;
}

void CQuarnCode::EditSettings() {
    CPrefDlg dialog(MainWindow);
    dialog.View = View;
    if (dialog.ShowWithSettings(Layout, Looks) == wxID_OK) {
        Layout = dialog.GetLayout();
        Looks = dialog.GetLooks();
        SaveSettings(Layout, Looks, "");
        View->SetLayoutSettings(Layout);
    } else {
        View->SetLooksSettings(Looks);
    }
    View->Refresh();
}

CQuarnCode::~CQuarnCode() {
    DeleteQueries();
    delete ViewData;
    CAppContext::SetLog(nullptr);
    delete Log;
    delete View;
    CAppContext::SetSettings(nullptr, nullptr);
    CAppContext::SetMessageBox(nullptr);
}
