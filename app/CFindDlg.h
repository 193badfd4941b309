#pragma once

#include <string>
#include <wx/dialog.h>

class wxButton;
class wxStaticBox;
class wxStaticText;
class wxTextCtrl;

// The modal dialog that asks for the name the Find command looks for. Made once by the main
// window and reused, so the text stays from one search to the next. Ok is the default button:
// Enter in the text field searches; Escape cancels.
class CFindDlg : public wxDialog {
public:
    explicit CFindDlg(wxWindow* parent);

    // The typed text, exactly as typed.
    std::string GetSearchText() const;

    wxStaticBox* SearchBox;  // child window
    wxTextCtrl* NameText;    // child window
    wxStaticText* NameLabel; // child window
    wxButton* OkButton;      // child window
    wxButton* CancelButton;  // child window
};
