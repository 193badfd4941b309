#include "app/CQuarnCode.h"

#include "app/CPrefDlg.h"
#include "app/CProgressDlg.h"
#include "app/CQuarnWindow.h"
#include "base/CError.h"
#include "model/CProgram.h"
#include "settings/SettingsFile.h"
#include "view/CBasicView.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <filesystem>
#include <wx/msgdlg.h>

CQuarnCode::CQuarnCode(std::string startFile)
    : StartFile(std::move(startFile)), Workspace(std::make_unique<CWorkspace>(MessageBox)) {}

bool CQuarnCode::OnInit() {
    if (!Workspace->Log.Open("log.txt"))
        wxMessageBox("Could not create log file", "Error", wxOK | wxCENTRE);
    try {
        MainWindow = new CQuarnWindow(*this, Workspace->Log);
        View = std::make_unique<CBasicView>(MainWindow, Workspace->Log);
        LoadSettings();
        Recent.Load();
        MainWindow->ShowRecentFiles(Recent.GetFiles());
        MainWindow->Show(true);
        SetTopWindow(MainWindow);
        if (!StartFile.empty())
            CallAfter([this] { LoadFile(StartFile); });
        return true;
    } catch (const CError& error) {
        wxMessageBox(wxString::FromUTF8(error.what()), "Error initializing windows",
                     wxOK | wxICON_INFORMATION);
        return false;
    }
}

void CQuarnCode::LoadSettings() {
    Workspace->LoadSettings(DefaultSettingsFile);
    View->SetLayoutSettings(Workspace->Layout);
    View->SetLooksSettings(Workspace->Looks);
}

void CQuarnCode::LoadFile(std::string fileName) {
    Load(fileName, CLoadRequest());
}

void CQuarnCode::ToggleProjectScope() {
    if (ViewData == nullptr || !DocumentHasProject) {
        ShowDocumentState();
        return;
    }
    CLoadRequest request;
    request.Scope = DocumentProjectOnly ? EScope::All : EScope::Project;
    request.Compile = false;
    Load(DocumentFile, request);
}

void CQuarnCode::Load(const std::string& fileName, const CLoadRequest& request) {
    CProgressDlg progress;
    progress.SetValue(0);
    progress.Refresh();
    progress.Show(true);
    // The new document is read and laid out beside the one shown, which goes only when the
    // new one is in place.
    std::unique_ptr<CViewData> loaded;
    try {
        loaded = std::make_unique<CViewData>();
        loaded->SetProgram(Workspace->Load(fileName, &progress, request));
        View->SetViewData(loaded.get());
        if (ViewData != nullptr)
            ViewData->Clear();
        ViewData = std::move(loaded);
        DocumentFile = fileName;
        DocumentHasProject = Workspace->HasProject;
        DocumentProjectOnly = Workspace->ProjectOnly;
        ShowDocumentState();
        // The dialog is not modal: ending it means hiding it.
        progress.Hide();
        RememberFile(fileName);
        if (!Workspace->Notice.empty())
            MessageBox.ShowMessage(Workspace->Notice, "Quarn Code");
    } catch (...) {
        std::string text = CWorkspace::FailureText(fileName);
        progress.Hide();
        ShowDocument();
        ShowDocumentState(); // a toggled View item shows the document's scope again
        wxMessageBox(wxString::FromUTF8(text), "Error loading", wxOK | wxCENTRE);
    }
}

void CQuarnCode::RememberFile(const std::string& fileName) {
    // By its absolute path: the next session may start in another directory.
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(fileName, error);
    if (!Recent.Add(error ? fileName : path.lexically_normal().string()))
        Workspace->Log.Write("Could not write the list of recent files", Recent.GetPath(),
                             "Recent Files");
    MainWindow->ShowRecentFiles(Recent.GetFiles());
}

void CQuarnCode::OpenRecentFile(std::size_t index) {
    if (index >= Recent.GetFiles().size())
        return;
    const std::string file = Recent.GetFiles()[index];
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        LoadFile(file);
        return;
    }
    Recent.Remove(file);
    MainWindow->ShowRecentFiles(Recent.GetFiles());
    MessageBox.ShowMessage("The file " + file +
                               " no longer exists; it is taken off the recent files.",
                           "Recent Files");
}

void CQuarnCode::ShowDocument() {
    if (View->GetViewData() == ViewData.get())
        return;
    // The view may have taken the new document before laying it out failed.
    try {
        View->SetViewData(ViewData.get());
    } catch (...) {
        View->SetViewData(nullptr);
        ViewData.reset();
        DocumentFile.clear();
    }
    View->Refresh();
}

void CQuarnCode::ShowDocumentState() {
    if (ViewData == nullptr)
        MainWindow->ShowDocument("", false, false);
    else
        MainWindow->ShowDocument(DocumentFile, DocumentHasProject, DocumentProjectOnly);
}

void CQuarnCode::CloseFile() {
    if (ViewData == nullptr)
        return;
    ViewData->Clear();
    ViewData.reset();
    DocumentFile.clear();
    ShowDocumentState();
}

void CQuarnCode::EditSettings() {
    CPrefDlg dialog(MainWindow, MessageBox);
    dialog.View = View.get();
    if (dialog.ShowWithSettings(Workspace->Layout, Workspace->Looks) == wxID_OK) {
        Workspace->Layout = dialog.GetLayout();
        Workspace->Looks = dialog.GetLooks();
        SaveSettings(Workspace->Layout, Workspace->Looks, "", MessageBox);
        // The view draws with the looks the dialog shows, whether or not a control moved.
        View->SetLooksSettings(Workspace->Looks);
        View->SetLayoutSettings(Workspace->Layout);
    } else {
        View->SetLooksSettings(Workspace->Looks);
    }
    View->Refresh();
}

CQuarnCode::~CQuarnCode() {
    ViewData.reset();
    View.reset();
    Workspace.reset();
}
