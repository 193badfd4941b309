#pragma once

#include "app/CWxMessageBox.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <string>
#include <wx/app.h>

class CBasicView;
class CLogFile;
class CQuarnWindow;
class CViewData;

// The application object: owns the log, the view, the current document and the current
// settings; builds them at start-up and carries the document commands: loading a file,
// closing it and editing the settings.
class CQuarnCode : public wxApp {
public:
    // Releases the class queries, the document, the log (which writes its closing entry) and
    // the view, in that order; the toolkit has destroyed the main window before.
    ~CQuarnCode() override;

    // Opens the log, makes the main window (with OpenGL) and the view, reads the settings and
    // shows the window. A failure shows "Error initializing windows" and ends the program.
    bool OnInit() override;

    // Reads "settings.cfg" into Layout and Looks (defaults when it is missing), logs both and
    // gives them to the view.
    void LoadSettings();
    // Loads a project or front-end file and shows it. A failure shows its text under "Error
    // loading" and leaves no document.
    void LoadFile(std::string fileName);
    // Drops the current document; the canvas then shows no treemap.
    void CloseFile();
    // Runs the preferences dialog: on OK keeps, saves and applies the new settings; on Cancel
    // undoes the looks the dialog applied while it was open.
    void EditSettings();

    CViewData* GetViewData() const { return ViewData; }
    CBasicView* GetView() const { return View; }
    CQuarnWindow* GetMainWindow() const { return MainWindow; }
    const CLayoutSettings& GetLayout() const { return Layout; }
    const CLooksSettings& GetLooks() const { return Looks; }

private:
    CLogFile* Log = nullptr;            // owned
    CViewData* ViewData = nullptr;      // owned; null when no file is loaded
    CBasicView* View = nullptr;         // owned
    CQuarnWindow* MainWindow = nullptr; // borrowed: the toolkit destroys top-level windows
    CLayoutSettings Layout;
    CLooksSettings Looks;
    CWxMessageBox MessageBox;
};

wxDECLARE_APP(CQuarnCode);
