#include "app/CMatchList.h"

#include "model/CProgramElement.h"
#include "model/ElementSummary.h"

CMatchList::CMatchList(wxWindow* parent)
    : wxListCtrl(parent, -1, wxDefaultPosition, wxSize(640, 240),
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL) {
    AppendColumn("Kind", wxLIST_FORMAT_LEFT, 90);
    AppendColumn("Qualified name", wxLIST_FORMAT_LEFT, 260);
    AppendColumn("File:line", wxLIST_FORMAT_LEFT, 270);
}

void CMatchList::SetMatches(std::vector<const CProgramElement*> matches) {
    Matches = std::move(matches);
    SetItemCount(static_cast<long>(Matches.size()));
    Refresh();
}

wxString CMatchList::OnGetItemText(long item, long column) const {
    const CProgramElement& element = *Matches.at(static_cast<size_t>(item));
    std::string text = column == 0   ? KindName(element)
                       : column == 1 ? QualifiedName(element)
                                     : SourceLocation(element);
    return wxString::FromUTF8(text);
}
