#pragma once

#include <vector>
#include <wx/listctrl.h>

class CProgramElement;

// The Find dialog's list of matches, one row each: kind, qualified name and file:line. A
// virtual list, which asks for the text of the rows it shows only, so that a name found
// thousands of times lists at once.
class CMatchList : public wxListCtrl {
public:
    explicit CMatchList(wxWindow* parent);

    // Lists matches (borrowed), in their order.
    void SetMatches(std::vector<const CProgramElement*> matches);

    std::vector<const CProgramElement*> Matches; // borrowed

protected:
    wxString OnGetItemText(long item, long column) const override;
};
