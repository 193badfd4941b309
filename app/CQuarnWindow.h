#pragma once

#include "view/IViewHost.h"

#include <memory>
#include <string>
#include <vector>
#include <wx/frame.h>

class CBasicView;
class CFindDlg;
class CGLCanvas;
class CLegendWindow;
class CPictureExport;
class CLogFile;
class wxMenu;
class wxMenuBar;
class IDocumentCommands;

// The single top-level frame, titled after the open document: the OpenGL canvas, the menu bar
// through which every command is given, the one-field status bar in which the view reports the
// selection, and the find dialog. Document commands go to the application, view commands to the
// view and the canvas.
class CQuarnWindow : public wxFrame, public IViewHost {
public:
    // Menu command ids.
    enum CommandId {
        ExitId = 1,
        OpenId = 2,
        CloseId = 3,
        FindId = 4,
        SettingsId = 5,
        SelectClassId = 6,
        SelectGroupId = 7,
        SelectFileId = 8,
        SelectNoneId = 9,
        ShaderNormalId = 10,
        ShaderSpecularId = 11,
        ShaderDebugId = 12,
        ProjectScopeId = 13,
        KeysAndMouseId = 14,
        AboutId = 15,
        LegendId = 16,
        ExportPictureId = 17,
        // File, Recent Files: one id for each place of the list.
        RecentFileId = 100,
        RecentFileLastId = 199,
    };

    // Builds the frame, the find dialog, the canvas (starting OpenGL), the menus and the status
    // bar. Throws CError "Error initializing opengl, check the log file for details" when
    // OpenGL or its fragment programs cannot be had. commands (borrowed) carries out the
    // document commands; log (borrowed) hears of GL failures.
    CQuarnWindow(IDocumentCommands& commands, CLogFile& log);
    // Deletes the find dialog and lets the view forget this window.
    ~CQuarnWindow() override;

    // Shows the open document: its file's name in the title ("project.xml - Quarn Code";
    // "Quarn Code" when fileName is empty, nothing being open), and in View, "Only Project
    // Files" checked when projectOnly, enabled when the file names a project (hasProject).
    void ShowDocument(const std::string& fileName, bool hasProject, bool projectOnly);

    // What joins the lines of a text in the status bar.
    static constexpr const char* StatusSeparator = " \u2014 ";

    // Shows the selection's description, "Select an item to view more detailed info" or
    // "%i items are selected" in the status bar (ShowStatusText).
    virtual void UpdateSelectionStatus(const std::list<CSqRectangle*>& selection) override;
    // text on one line: its non-empty lines joined by StatusSeparator.
    static std::string OneLine(const std::string& text);

    // IViewHost.
    void SetView(CBasicView* view) override;
    void RefreshCanvas() override;
    void GetViewSize(int& width, int& height) const override;
    // Shows text in the status bar on one line (OneLine), and whole in the bar's tooltip.
    void ShowStatusText(const std::string& text) override;
    void ShowQueryPopup(const std::vector<const CQuery*>& queries, int x, int y) override;
    // Sets the canvas's tooltip, which the toolkit shows after a short rest; empty unsets it.
    void ShowHoverTip(const std::string& text) override;

    // Shows files (newest first) in File, Recent Files; "No recent files" when there are none.
    void ShowRecentFiles(const std::vector<std::string>& files);
    // The text of Help, Keys and Mouse: every key and mouse action of the canvas.
    static const char* KeysAndMouseText();

    CGLCanvas* GetCanvas() const { return Canvas; }
    CFindDlg* GetFindDialog() const { return FindDialog; }
    CLegendWindow* GetLegend() const { return Legend; }
    CPictureExport* GetPictureExport() const { return PictureExport.get(); }

private:
    void OnExit(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);
    void OnFind(wxCommandEvent& event);
    void OnSettings(wxCommandEvent& event);
    void OnSelectionMode(wxCommandEvent& event);
    void OnShader(wxCommandEvent& event);
    void OnProjectScope(wxCommandEvent& event);
    void OnRecentFile(wxCommandEvent& event);
    void OnKeysAndMouse(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    // The parts of the menus and of the window added on their own: File, Recent Files; the
    // Help menu; the icon; opening a file dropped on the canvas.
    void AddRecentFilesMenu(wxMenu* file);
    void AddHelpMenu(wxMenuBar* bar);
    void SetUpIconAndDrop();

    // View, Legend: shows the legend with the view's looks.
    void OnLegend(wxCommandEvent& event);
    // File, Export Picture...: the view as a PNG file, drawn with the shader chosen.
    void OnExportPicture(wxCommandEvent& event);

    IDocumentCommands& Commands;
    CGLCanvas* Canvas;            // child window, destroyed with the frame
    CFindDlg* FindDialog;         // owned
    CBasicView* View = nullptr;   // borrowed; set by the view when it is made
    wxMenu* RecentMenu = nullptr; // File, Recent Files; owned by the menu bar
    CLegendWindow* Legend;        // child window, destroyed with the frame
    std::unique_ptr<CPictureExport> PictureExport;

    wxDECLARE_EVENT_TABLE();
};
