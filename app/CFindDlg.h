#pragma once

#include <string>
#include <vector>
#include <wx/dialog.h>

class CBasicView;
class CMatchList;
class CNameCriterion;
class CProgramElement;
class wxButton;
class wxCheckBox;
class wxCommandEvent;
class wxKeyEvent;
class wxListEvent;
class wxStaticBox;
class wxStaticText;
class wxTextCtrl;

// The modal dialog of the Find command: the name to look for (which may be qualified,
// CNameCriterion), whether case matters and whether the name is whole, and below them the list
// of what the view's program holds that matches, filled as the user types. Select All (the
// default button: Enter in the text field) ends it with wxID_OK, and the caller selects every
// match; Enter or a double click on a row ends it with ShowOneId, and the caller selects and
// shows that row's element (GetChosen); Escape cancels. Made once by the main window and
// reused, so the text and the options stay from one search to the next.
class CFindDlg : public wxDialog {
public:
    // What ShowModal returns when a row of the list was chosen.
    static constexpr int ShowOneId = wxID_HIGHEST + 1;

    explicit CFindDlg(wxWindow* parent);
    ~CFindDlg() override;

    // The typed text, exactly as typed.
    std::string GetSearchText() const;
    // Gives criterion the text and the options.
    void SetUpCriterion(CNameCriterion& criterion) const;
    // Lists the elements of the view's program that match and have a rectangle, in the order
    // Find selects them; an empty list without a view, a treemap or a text.
    void UpdateMatches();
    // The elements listed, borrowed from the view's program.
    const std::vector<const CProgramElement*>& GetMatches() const;
    // The element of the row chosen last; null before a row was chosen.
    const CProgramElement* GetChosen() const { return Chosen; }

    // The view whose program is searched (borrowed; may be null). Set before ShowModal.
    CBasicView* View = nullptr;

    wxStaticBox* SearchBox;     // child window
    wxStaticText* NameLabel;    // child window
    wxTextCtrl* NameText;       // child window
    wxCheckBox* MatchCaseCheck; // child window
    wxCheckBox* WholeNameCheck; // child window
    CMatchList* MatchList;      // child window: kind, qualified name, file:line
    wxButton* SelectAllButton;  // child window
    wxButton* CancelButton;     // child window

private:
    void OnChange(wxCommandEvent& event);
    // The Down arrow key in the text field moves to the list's first row.
    void OnTextKey(wxKeyEvent& event);
    void OnRowChosen(wxListEvent& event);

    const CProgramElement* Chosen = nullptr; // borrowed
};
