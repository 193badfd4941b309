#include "app/CWxMessageBox.h"

#include <wx/msgdlg.h>

void CWxMessageBox::ShowMessage(const std::string& text, const std::string& caption) {
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK | wxCENTRE);
}
