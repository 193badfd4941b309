#include "app/CFindDlg.h"

#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

CFindDlg::CFindDlg(wxWindow* parent)
    : wxDialog(parent, -1, "Find a program element", wxDefaultPosition, wxSize(300, 140)) {
    SearchBox = new wxStaticBox(this, -1, "Search", wxPoint(5, 5), wxSize(285, 70));
    NameLabel = new wxStaticText(this, -1, "Look for a name: ", wxPoint(15, 30));
    NameText = new wxTextCtrl(this, -1, "", wxPoint(140, 30), wxSize(140, 20));
    OkButton = new wxButton(this, wxID_OK, "&Ok", wxPoint(120, 85));
    CancelButton = new wxButton(this, wxID_CANCEL, "&Cancel", wxPoint(210, 85));
    // Enter, in the text field too, searches; Escape cancels (the Cancel button's id).
    OkButton->SetDefault();
}

std::string CFindDlg::GetSearchText() const {
    // Element names are UTF-8, as the front end writes them.
    return std::string(NameText->GetValue().utf8_str());
}
