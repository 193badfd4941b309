#include "app/CFileDrop.h"

#include "app/IDocumentCommands.h"

#include <string>
#include <wx/window.h>

bool CFileDrop::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) {
    if (files.empty())
        return false;
    const std::string file(files[0].utf8_str());
    Window.CallAfter([this, file] { Commands.LoadFile(file); });
    return true;
}
