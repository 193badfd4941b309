#pragma once

#include "app/CWxMessageBox.h"
#include "app/IDocumentCommands.h"
#include "import/LoadProgram.h"
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
    // startFile (empty: none) is opened once the window shows.
    explicit CQuarnCode(std::string startFile = "");
    // Releases the document, the view and the workspace (whose log writes its closing entry);
    // the toolkit has destroyed the main window before.
    ~CQuarnCode() override;

    // Opens the log, makes the main window (with OpenGL) and the view, reads the settings and
    // shows the window; then, from the event loop, loads the start file, if any. A failure shows
    // "Error initializing windows" and ends the program.
    bool OnInit() override;

    // Reads "settings.cfg" (defaults when it is missing), logs both records and gives them to
    // the view.
    void LoadSettings();
    // Loads a project, a compilation database or a front-end file, with the scope the file asks
    // for, and shows it in place of the current document, puts it first in File, Recent Files,
    // then shows the load's notice when it has one. A failure (a cancelled load too) shows its
    // text (CWorkspace::FailureText) under "Error loading" and keeps the document shown before.
    void LoadFile(std::string fileName) override;
    // Loads the recent file at index; one that no longer exists is taken off the list with a
    // message saying so.
    void OpenRecentFile(std::size_t index) override;
    // Drops the current document; the canvas then shows no treemap.
    void CloseFile() override;
    // Loads the current document again with the other scope, as LoadFile does; a project's
    // front end is not run again when its output is there. Nothing when no document that
    // names a project is open.
    void ToggleProjectScope() override;
    // Runs the preferences dialog: on OK keeps, saves and applies the new settings; on Cancel
    // undoes the looks the dialog applied while it was open.
    void EditSettings() override;

    CViewData* GetViewData() const { return ViewData.get(); }
    CBasicView* GetView() const { return View.get(); }
    CQuarnWindow* GetMainWindow() const { return MainWindow; }
    CWorkspace& GetWorkspace() const { return *Workspace; }
    const CRecentFiles& GetRecentFiles() const { return Recent; }

private:
    // Loads fileName as request asks and shows it, as LoadFile says.
    void Load(const std::string& fileName, const CLoadRequest& request);
    // Gives the view the current document again when it holds another one; when laying it out
    // fails, the view shows nothing and the document is dropped.
    void ShowDocument();
    // Shows the current document's name and scope in the main window.
    void ShowDocumentState();
    // Puts fileName first in the recent files and shows them in the menu.
    void RememberFile(const std::string& fileName);

    std::string StartFile;
    CWxMessageBox MessageBox;
    std::unique_ptr<CWorkspace> Workspace; // the log and the current settings
    std::unique_ptr<CViewData> ViewData;   // null when no file is loaded
    // The current document's file, as it was opened (empty when none), whether it names a
    // project and whether it shows the project's own declarations alone.
    std::string DocumentFile;
    bool DocumentHasProject = false;
    bool DocumentProjectOnly = false;
    std::unique_ptr<CBasicView> View;
    CQuarnWindow* MainWindow = nullptr; // borrowed: the toolkit destroys top-level windows
    CRecentFiles Recent{CRecentFiles::DefaultPath()};
};

wxDECLARE_APP(CQuarnCode);
