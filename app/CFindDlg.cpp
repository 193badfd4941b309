#include "app/CFindDlg.h"

#include "app/CMatchList.h"

#include "layout/CRectArea.h"
#include "model/CProgram.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

CFindDlg::CFindDlg(wxWindow* parent)
    : wxDialog(parent, -1, "Find a program element", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    SearchBox = new wxStaticBox(this, -1, "Search");
    NameLabel = new wxStaticText(SearchBox, -1, "Look for a name: ");
    NameText = new wxTextCtrl(SearchBox, -1, "");
    MatchCaseCheck = new wxCheckBox(SearchBox, -1, "Match &case");
    WholeNameCheck = new wxCheckBox(SearchBox, -1, "&Whole name");
    MatchCaseCheck->SetValue(true);
    WholeNameCheck->SetValue(true);
    MatchList = new CMatchList(this);
    SelectAllButton = new wxButton(this, wxID_OK, "Select &All");
    CancelButton = new wxButton(this, wxID_CANCEL, "&Cancel");
    // Enter, in the text field too, selects every match; Escape cancels (the Cancel button's
    // id).
    SelectAllButton->SetDefault();

    auto* field = new wxBoxSizer(wxHORIZONTAL);
    field->Add(NameLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    field->Add(NameText, 1, wxEXPAND);
    auto* options = new wxBoxSizer(wxHORIZONTAL);
    options->Add(MatchCaseCheck, 0, wxRIGHT, 15);
    options->Add(WholeNameCheck);
    auto* search = new wxStaticBoxSizer(SearchBox, wxVERTICAL);
    search->Add(field, 0, wxEXPAND | wxALL, 5);
    search->Add(options, 0, wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(SelectAllButton, 0, wxRIGHT, 5);
    buttons->Add(CancelButton);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(search, 0, wxEXPAND | wxALL, 5);
    all->Add(MatchList, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);
    all->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 5);
    SetSizerAndFit(all);

    NameText->Bind(wxEVT_TEXT, &CFindDlg::OnChange, this);
    NameText->Bind(wxEVT_KEY_DOWN, &CFindDlg::OnTextKey, this);
    MatchCaseCheck->Bind(wxEVT_CHECKBOX, &CFindDlg::OnChange, this);
    WholeNameCheck->Bind(wxEVT_CHECKBOX, &CFindDlg::OnChange, this);
    MatchList->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CFindDlg::OnRowChosen, this);
}

CFindDlg::~CFindDlg() = default;

std::string CFindDlg::GetSearchText() const {
    // Element names are UTF-8, as the front end writes them.
    return std::string(NameText->GetValue().utf8_str());
}

void CFindDlg::SetUpCriterion(CNameCriterion& criterion) const {
    criterion.Name = GetSearchText();
    criterion.MatchCase = MatchCaseCheck->GetValue();
    criterion.WholeName = WholeNameCheck->GetValue();
}

const std::vector<const CProgramElement*>& CFindDlg::GetMatches() const {
    return MatchList->Matches;
}

void CFindDlg::UpdateMatches() {
    std::vector<const CProgramElement*> matches;
    CRectArea* treemap = View != nullptr ? View->GetTreemap() : nullptr;
    // An empty name would list every element.
    if (treemap != nullptr && !NameText->IsEmpty()) {
        CElementFilter filter;
        SetUpCriterion(*filter.AddNameCriterion());
        filter.SearchProgram(&treemap->GetProgram());
        for (ISquarable* found : filter.Results) {
            if (treemap->RectOf(found) != nullptr)
                matches.push_back(dynamic_cast<const CProgramElement*>(found));
        }
    }
    MatchList->SetMatches(std::move(matches));
}

void CFindDlg::OnChange(wxCommandEvent&) {
    UpdateMatches();
}

void CFindDlg::OnTextKey(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_DOWN || MatchList->GetItemCount() == 0) {
        event.Skip();
        return;
    }
    MatchList->SetFocus();
    MatchList->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void CFindDlg::OnRowChosen(wxListEvent& event) {
    const long row = event.GetIndex();
    if (row < 0 || row >= MatchList->GetItemCount())
        return;
    Chosen = MatchList->Matches[static_cast<size_t>(row)];
    EndModal(ShowOneId);
}
