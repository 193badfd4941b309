#pragma once

#include "view/IViewHost.h"

#include <memory>
#include <wx/frame.h>

class CBasicView;
class CFindDlg;
class CGLCanvas;
class CLegendWindow;
class CPictureExport;
class CLogFile;
class IDocumentCommands;

// The single top-level frame: the OpenGL canvas, the menu bar through which every command is
// given, the one-field status bar in which the view reports the selection, and the find
// dialog. Document commands go to the application, view commands to the view and the canvas.
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
        LegendId = 40,
        ExportPictureId = 41,
    };

    // Builds the frame, the find dialog, the canvas (starting OpenGL), the menus and the status
    // bar. Throws CError "Error initializing opengl, check the log file for details" when
    // OpenGL or its fragment programs cannot be had. commands (borrowed) carries out the
    // document commands; log (borrowed) hears of GL failures.
    CQuarnWindow(IDocumentCommands& commands, CLogFile& log);
    // Deletes the find dialog and lets the view forget this window.
    ~CQuarnWindow() override;

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
    // View, Legend: shows the legend with the view's looks.
    void OnLegend(wxCommandEvent& event);
    // File, Export Picture...: the view as a PNG file, drawn with the shader chosen.
    void OnExportPicture(wxCommandEvent& event);

    IDocumentCommands& Commands;
    CGLCanvas* Canvas;     // child window, destroyed with the frame
    CFindDlg* FindDialog;  // owned
    CLegendWindow* Legend; // child window, destroyed with the frame
    std::unique_ptr<CPictureExport> PictureExport;
    CBasicView* View = nullptr; // borrowed; set by the view when it is made

    wxDECLARE_EVENT_TABLE();
};
