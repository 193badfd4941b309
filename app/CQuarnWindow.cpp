#include "app/CQuarnWindow.h"

#include "app/CFindDlg.h"
#include "app/CGLCanvas.h"
#include "app/CLegendWindow.h"
#include "app/CPictureExport.h"
#include "app/CQueryPopupMenu.h"
#include "app/IDocumentCommands.h"
#include "base/CError.h"
#include "model/CProgramElement.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/SelectionStatus.h"

#include <algorithm>
#include <memory>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

// clang-format off
wxBEGIN_EVENT_TABLE(CQuarnWindow, wxFrame)
    EVT_MENU(ExitId, CQuarnWindow::OnExit)
    EVT_MENU(OpenId, CQuarnWindow::OnOpen)
    EVT_MENU(CloseId, CQuarnWindow::OnClose)
    EVT_MENU(FindId, CQuarnWindow::OnFind)
    EVT_MENU(SettingsId, CQuarnWindow::OnSettings)
    EVT_MENU_RANGE(SelectClassId, SelectNoneId, CQuarnWindow::OnSelectionMode)
    EVT_MENU_RANGE(ShaderNormalId, ShaderDebugId, CQuarnWindow::OnShader)
    EVT_MENU(ProjectScopeId, CQuarnWindow::OnProjectScope)
    EVT_MENU_RANGE(RecentFileId, RecentFileLastId, CQuarnWindow::OnRecentFile)
    EVT_MENU(KeysAndMouseId, CQuarnWindow::OnKeysAndMouse)
    EVT_MENU(AboutId, CQuarnWindow::OnAbout)
    EVT_MENU(LegendId, CQuarnWindow::OnLegend)
    EVT_MENU(ExportPictureId, CQuarnWindow::OnExportPicture)
wxEND_EVENT_TABLE();
// clang-format on

CQuarnWindow::CQuarnWindow(IDocumentCommands& commands, CLogFile& log)
    : wxFrame(nullptr, -1, "Quarn Code", wxDefaultPosition, wxSize(800, 600),
              wxDEFAULT_FRAME_STYLE),
      Commands(commands) {
    FindDialog = new CFindDlg(this);
    // The depth buffer lets the renderer draw the tree front to back (CCushionRenderer).
    const int attributes[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, WX_GL_DEPTH_SIZE, 24, 0};
    Canvas = new CGLCanvas(this, attributes, log);
    if (!Canvas->InitGL())
        throw CError("Error initializing opengl, check the log file for details");

    auto* file = new wxMenu();
    file->Append(OpenId, "&Open...\tCtrl+O");
    file->Append(CloseId, "&Close\tCtrl+W");
    AddRecentFilesMenu(file);
    file->Append(ExportPictureId, "&Export Picture...");
    file->AppendSeparator();
    file->Append(ExitId, "E&xit\tCtrl+Q");
    auto* tools = new wxMenu();
    tools->Append(FindId, "&Find...\tCtrl+F");
    tools->Append(SettingsId, "&Settings");
    auto* selection = new wxMenu();
    selection->AppendRadioItem(SelectNoneId, "&None");
    selection->AppendRadioItem(SelectClassId, "&Class");
    selection->AppendRadioItem(SelectGroupId, "&Group");
    selection->AppendRadioItem(SelectFileId, "&File");
    auto* shader = new wxMenu();
    shader->AppendRadioItem(ShaderNormalId, "&Normal", "Switch to normal program");
    shader->AppendRadioItem(ShaderSpecularId, "&Specular", "Switch to specular program");
    shader->AppendRadioItem(ShaderDebugId, "&Debug", "Switch to debug program");
    auto* view = new wxMenu();
    view->AppendCheckItem(ProjectScopeId, "Only &Project Files",
                          "Show only the declarations in the project's own files");
    view->AppendSeparator();
    view->Append(LegendId, "&Legend");
    auto* bar = new wxMenuBar();
    bar->Append(file, "&File");
    bar->Append(view, "&View");
    bar->Append(tools, "&Tools");
    bar->Append(selection, "&Selection");
    bar->Append(shader, "&Shader");
    AddHelpMenu(bar);
    Legend = new CLegendWindow(this);
    PictureExport = std::make_unique<CPictureExport>(*Canvas, log);
    SetMenuBar(bar);
    SetUpIconAndDrop();

    CreateStatusBar(1, wxST_SIZEGRIP, 0);
    SetStatusText("", 0);
    ShowDocument("", false, false);
}

CQuarnWindow::~CQuarnWindow() {
    delete FindDialog;
    // The view outlives the window (the application deletes it last).
    if (View != nullptr)
        View->SetHost(nullptr);
}

void CQuarnWindow::ShowDocument(const std::string& fileName, bool hasProject, bool projectOnly) {
    std::string name = fileName.substr(fileName.rfind('/') + 1);
    SetTitle(wxString::FromUTF8(fileName.empty() ? "Quarn Code" : name + " - Quarn Code"));
    wxMenuBar* bar = GetMenuBar();
    bar->Check(ProjectScopeId, projectOnly);
    bar->Enable(ProjectScopeId, hasProject);
}

void CQuarnWindow::UpdateSelectionStatus(const std::list<CSqRectangle*>& selection) {
    ShowStatusText(SelectionStatusText(selection));
}

std::string CQuarnWindow::OneLine(const std::string& text) {
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find('\n', start), text.size());
        if (end > start)
            line += (line.empty() ? "" : StatusSeparator) + text.substr(start, end - start);
        start = end + 1;
    }
    return line;
}

void CQuarnWindow::SetView(CBasicView* view) {
    View = view;
    Canvas->SetView(view);
}

void CQuarnWindow::RefreshCanvas() {
    Canvas->Refresh(true, nullptr);
    // Every change of the looks repaints: the legend follows them.
    if (View != nullptr)
        Legend->ShowLooks(View->GetLooks());
}

void CQuarnWindow::OnLegend(wxCommandEvent&) {
    if (View != nullptr)
        Legend->ShowLooks(View->GetLooks());
    Legend->Show();
    Legend->Raise();
}

void CQuarnWindow::OnExportPicture(wxCommandEvent&) {
    if (View == nullptr)
        return;
    EFragmentProgram program = NormalProgram;
    for (int id : {ShaderSpecularId, ShaderDebugId})
        if (GetMenuBar()->IsChecked(id))
            program = static_cast<EFragmentProgram>(id - ShaderNormalId);
    PictureExport->Run(this, *View, this, program);
}

void CQuarnWindow::GetViewSize(int& width, int& height) const {
    GetClientSize(&width, &height);
}

void CQuarnWindow::ShowStatusText(const std::string& text) {
    SetStatusText(wxString::FromUTF8(OneLine(text)), 0);
    // The whole text, for a line too long for the bar.
    GetStatusBar()->SetToolTip(wxString::FromUTF8(text));
}

void CQuarnWindow::ShowHoverTip(const std::string& text) {
    if (text.empty())
        Canvas->UnsetToolTip();
    else
        Canvas->SetToolTip(wxString::FromUTF8(text));
}

void CQuarnWindow::ShowQueryPopup(const std::vector<const CQuery*>& queries, int x, int y) {
    CQueryPopupMenu menu(View, queries);
    PopupMenu(&menu, x, y);
}

void CQuarnWindow::OnExit(wxCommandEvent&) {
    Close(true);
}

void CQuarnWindow::OnOpen(wxCommandEvent&) {
    wxFileDialog dialog(this, "Open a project file", "", "",
                        "Xml files (*.xml)|*.xml|Compilation databases "
                        "(compile_commands.json)|compile_commands.json;*.json",
                        wxFD_OPEN, wxDefaultPosition);
    if (dialog.ShowModal() != wxID_OK)
        return;
    // The document shown stays until the new one has loaded.
    Commands.LoadFile(std::string(dialog.GetPath().utf8_str()));
}

void CQuarnWindow::OnClose(wxCommandEvent&) {
    Commands.CloseFile();
}

void CQuarnWindow::OnFind(wxCommandEvent&) {
    // The list shows what the program shown now holds.
    FindDialog->View = View;
    FindDialog->UpdateMatches();
    const int answer = FindDialog->ShowModal();
    if (answer == wxID_OK) {
        auto filter = std::make_unique<CElementFilter>();
        FindDialog->SetUpCriterion(*filter->AddNameCriterion());
        if (View->FindElements(*filter) == 0)
            ShowStatusText("Searched completed, but no results found");
    } else if (answer == CFindDlg::ShowOneId) {
        View->ShowElement(FindDialog->GetChosen());
    }
    // The list borrows elements of the program, which may be closed before the next Find.
    FindDialog->View = nullptr;
    FindDialog->UpdateMatches();
    Canvas->Refresh(true, nullptr);
}

void CQuarnWindow::OnSettings(wxCommandEvent&) {
    Commands.EditSettings();
}

void CQuarnWindow::OnSelectionMode(wxCommandEvent& event) {
    View->SetSelectMode(event.GetId() - SelectClassId);
}

void CQuarnWindow::OnShader(wxCommandEvent& event) {
    if (Canvas->MakeCurrent())
        Canvas->BindProgram(static_cast<EFragmentProgram>(event.GetId() - ShaderNormalId));
    View->SetDirty();
    Canvas->Refresh(true, nullptr);
}

void CQuarnWindow::OnProjectScope(wxCommandEvent&) {
    // The application shows the scope the document ends up with, whether or not the load
    // succeeds.
    Commands.ToggleProjectScope();
}
