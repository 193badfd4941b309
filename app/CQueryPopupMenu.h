#pragma once

#include <vector>
#include <wx/menu.h>

class CBasicView;
class CQuery;

// The context menu of class queries: one item per query, with ids 0, 1, 2, ... in list order,
// the query's name as label and its description as help text. Choosing an item runs that
// query through the view.
class CQueryPopupMenu : public wxMenu {
public:
    // view and the queries are borrowed and must outlive the menu.
    CQueryPopupMenu(CBasicView* view, std::vector<const CQuery*> queries);

private:
    // Runs the query at the index given by the event id.
    void OnQuery(wxCommandEvent& event);

    CBasicView* View;                   // borrowed
    std::vector<const CQuery*> Queries; // borrowed queries, indexed by item id
};
