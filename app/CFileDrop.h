#pragma once

#include <wx/dnd.h>

class IDocumentCommands;

// Opens the first file dropped on the window it is the drop target of, once the drop has
// ended: loading shows a progress dialog, and maybe a message box, which must not run within
// the drop.
class CFileDrop : public wxFileDropTarget {
public:
    // window and commands are borrowed and outlive the target (the window owns it).
    CFileDrop(wxWindow& window, IDocumentCommands& commands) : Window(window), Commands(commands) {}

    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    wxWindow& Window;
    IDocumentCommands& Commands;
};
