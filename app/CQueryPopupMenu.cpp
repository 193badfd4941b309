#include "app/CQueryPopupMenu.h"

#include "view/CBasicView.h"
#include "view/CQuery.h"

CQueryPopupMenu::CQueryPopupMenu(CBasicView* view, std::vector<const CQuery*> queries)
    : View(view), Queries(std::move(queries)) {
    for (size_t i = 0; i < Queries.size(); ++i) {
        int id = static_cast<int>(i);
        Append(id, Queries[i]->GetName(), Queries[i]->GetDescription());
        Bind(wxEVT_MENU, &CQueryPopupMenu::OnQuery, this, id);
    }
}

void CQueryPopupMenu::OnQuery(wxCommandEvent& event) {
    int id = event.GetId();
    if (id >= 0 && static_cast<size_t>(id) < Queries.size())
        View->RunQuery(Queries[id]);
}
