#pragma once

#include "app/CWxMessageBox.h"
#include "app/IDocumentCommands.h"
#include "settings/CRecentFiles.h"

#include <memory>
#include <string>
#include <wx/app.h>

class CBasicView;
class CQuarnWindow;
class CViewData;
class CWorkspace;

// The application object: owns the workspace (the log and the current settings), the view and
// the current document; builds them at start-up and carries the document commands: loading a
// file, closing it and editing the settings.
class CQuarnCode : public wxApp, public IDocumentCommands {
public:
    CQuarnCode();
    // Releases the document, the view and the workspace (whose log writes its closing entry);
    // the toolkit has destroyed the main window before.
    ~CQuarnCode() override;

    // Opens the log, makes the main window (with OpenGL) and the view, reads the settings and
    // shows the window. A failure shows "Error initializing windows" and ends the program.
    bool OnInit() override;

    // Reads "settings.cfg" (defaults when it is missing), logs both records and gives them to
    // the view.
    void LoadSettings();
    // Loads a project, a compilation database or a front-end file and shows it in place of the
    // current document, puts it first in File, Recent Files, then shows the load's notice when
    // it has one. A failure (a cancelled load too) shows its text (CWorkspace::FailureText)
    // under "Error loading" and keeps the document shown before.
    void LoadFile(std::string fileName) override;
    // Loads the recent file at index; one that no longer exists is taken off the list with a
    // message saying so.
    void OpenRecentFile(std::size_t index) override;
    // Drops the current document; the canvas then shows no treemap.
    void CloseFile() override;
    // Runs the preferences dialog: on OK keeps, saves and applies the new settings; on Cancel
    // undoes the looks the dialog applied while it was open.
    void EditSettings() override;

    CViewData* GetViewData() const { return ViewData.get(); }
    CBasicView* GetView() const { return View.get(); }
    CQuarnWindow* GetMainWindow() const { return MainWindow; }
    CWorkspace& GetWorkspace() const { return *Workspace; }
    const CRecentFiles& GetRecentFiles() const { return Recent; }

private:
    // Gives the view the current document again when it holds another one; when laying it out
    // fails, the view shows nothing and the document is dropped.
    void ShowDocument();
    // Puts fileName first in the recent files and shows them in the menu.
    void RememberFile(const std::string& fileName);

    CWxMessageBox MessageBox;
    std::unique_ptr<CWorkspace> Workspace; // the log and the current settings
    std::unique_ptr<CViewData> ViewData;   // null when no file is loaded
    std::unique_ptr<CBasicView> View;
    CQuarnWindow* MainWindow = nullptr; // borrowed: the toolkit destroys top-level windows
    CRecentFiles Recent{CRecentFiles::DefaultPath()};
};

wxDECLARE_APP(CQuarnCode);
