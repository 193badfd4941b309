// The main window's File, Recent Files and Help menus, its icon and the files dropped on it.

#include "app/AppIcon.h"
#include "app/CFileDrop.h"
#include "app/CGLCanvas.h"
#include "app/CQuarnWindow.h"
#include "app/IDocumentCommands.h"
#include "settings/CRecentFiles.h"

#include <GL/gl.h>

#include <gtk/gtk.h>
#include <libxml/xmlversion.h>
#include <nlohmann/json_fwd.hpp>
#include <png.h>
#include <wx/aboutdlg.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace {

// "NAME VERSION" of a GL string, or "unknown" when there is no GL context.
std::string GLText(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "unknown";
}

} // namespace

void CQuarnWindow::AddRecentFilesMenu(wxMenu* file) {
    RecentMenu = new wxMenu();
    file->AppendSubMenu(RecentMenu, "&Recent Files");
    ShowRecentFiles({});
}

void CQuarnWindow::ShowRecentFiles(const std::vector<std::string>& files) {
    while (RecentMenu->GetMenuItemCount() > 0)
        RecentMenu->Destroy(RecentMenu->FindItemByPosition(0));
    if (files.empty())
        RecentMenu->Append(RecentFileId, "No recent files")->Enable(false);
    for (size_t i = 0; i < files.size() && RecentFileId + i <= RecentFileLastId; ++i) {
        wxString name = wxString::FromUTF8(files[i]);
        name.Replace("&", "&&"); // not a mnemonic
        RecentMenu->Append(RecentFileId + static_cast<int>(i),
                           wxString::Format("&%zu %s", i + 1, name));
    }
}

void CQuarnWindow::OnRecentFile(wxCommandEvent& event) {
    Commands.OpenRecentFile(static_cast<size_t>(event.GetId() - RecentFileId));
}

void CQuarnWindow::AddHelpMenu(wxMenuBar* bar) {
    auto* help = new wxMenu();
    help->Append(KeysAndMouseId, "&Keys and Mouse");
    help->Append(AboutId, "&About");
    bar->Append(help, "&Help");
}

const char* CQuarnWindow::KeysAndMouseText() {
    return "Keys (the tree view has the keyboard while the mouse is over it):\n"
           "Alt+Left \u2014 back to the zoom and pan before the last step\n"
           "Alt+Right \u2014 forward again to the next step\n"
           "+ or - (also on the keypad) \u2014 zoom in or out about the centre of the view\n"
           "Left or a, Right or d, Down or s, w \u2014 pan to show what lies to the left, "
           "right, below, above\n"
           "r, Backspace or Home \u2014 the whole tree again\n"
           "Up \u2014 select the parent of the one selected rectangle\n"
           "Escape \u2014 clear the selection\n"
           "Ctrl+O Open, Ctrl+W Close, Ctrl+F Find, Ctrl+Q Exit\n"
           "\n"
           "Mouse:\n"
           "Pointer over a rectangle \u2014 lights it and what it is related to\n"
           "Click \u2014 select or deselect the rectangle, or what the Selection menu's mode "
           "makes of it: its class, its group or its file\n"
           "Double click \u2014 select the rectangle as a click does and zoom so that it "
           "fills the view\n"
           "Wheel \u2014 zoom in or out about the pointer\n"
           "Ctrl+wheel \u2014 walk the selection up the tree, or down towards the rectangle "
           "under the pointer\n"
           "Middle button drag \u2014 pan\n"
           "Right click \u2014 the queries of a class selection: its sub classes, its super "
           "classes\n"
           "A file dropped on the window \u2014 opens it";
}

void CQuarnWindow::OnKeysAndMouse(wxCommandEvent&) {
    wxMessageDialog dialog(this, wxString::FromUTF8(KeysAndMouseText()), "Keys and Mouse",
                           wxOK | wxCENTRE);
    dialog.ShowModal();
}

void CQuarnWindow::OnAbout(wxCommandEvent&) {
    std::string gl = "unknown";
    if (Canvas->MakeCurrent())
        gl = GLText(GL_VERSION) + ", " + GLText(GL_RENDERER);
    wxAboutDialogInfo info;
    info.SetName("Quarn Code");
    info.SetVersion(QUARN_VERSION);
    info.SetIcon(AppIcons().GetIcon(64));
    const wxString libraries = wxString::Format(
        "Shows the structure of C++ programs as treemaps of lit cushions.\n\n"
        "Built with:\n"
        "%s (wxWindows Library Licence)\n"
        "GTK %u.%u.%u (LGPL 2.1 or later)\n"
        "libxml2 %s (MIT)\n"
        "libpng %s (PNG Reference Library License version 2), with zlib (zlib licence)\n"
        "OpenGL %s: Mesa (MIT), through libglvnd (MIT-style)\n"
        "FreeType (FreeType License) and fontconfig (MIT-style), for the labels\n"
        "nlohmann-json %d.%d.%d (MIT)\n\n"
        "Runs:\n"
        "CastXML (Apache License 2.0) and Ninja (Apache License 2.0)",
        wxGetLibraryVersionInfo().GetVersionString(), gtk_get_major_version(),
        gtk_get_minor_version(), gtk_get_micro_version(), LIBXML_DOTTED_VERSION,
        png_get_libpng_ver(nullptr), wxString::FromUTF8(gl), NLOHMANN_JSON_VERSION_MAJOR,
        NLOHMANN_JSON_VERSION_MINOR, NLOHMANN_JSON_VERSION_PATCH);
    info.SetDescription(libraries);
    // Modal, as every other dialog of the program (wxGenericAboutBox is modeless with GTK).
    wxGenericAboutDialog dialog(info, this);
    dialog.ShowModal();
}

void CQuarnWindow::SetUpIconAndDrop() {
    SetIcons(AppIcons());
    Canvas->SetDropTarget(new CFileDrop(*this, Commands));
}
