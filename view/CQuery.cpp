#include "view/CQuery.h"

#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CClassType.h"
#include "view/CElementFilter.h"
#include "view/IQueryTarget.h"

#include <typeinfo>

CQuery::CQuery(std::string name, std::string description, std::string notFound, Test test)
    : Name(std::move(name)), Description(std::move(description)), NotFound(std::move(notFound)),
      Passes(test) {}

CQuery CQuery::SubClassQuery() {
    return CQuery("Sub Class Query",
                  "Selects all subclasses that all classes in the selection have in common",
                  "No common subclasses found",
                  [](const CClassType* candidate, const CClassType* selected) {
                      return candidate->DerivesFrom(selected);
                  });
}

CQuery CQuery::SuperClassQuery() {
    return CQuery("Super Class Query",
                  "Selects all super classes that all classes in the selection have in common",
                  "No common super classes found",
                  [](const CClassType* candidate, const CClassType* selected) {
                      return selected->DerivesFrom(candidate);
                  });
}

void CQuery::Execute(const std::list<CSqRectangle*>& selection, IQueryTarget& target) const {
    if (!IsClassSelection(selection))
        return;
    std::vector<const CClassType*> selected;
    for (CSqRectangle* rect : selection)
        selected.push_back(dynamic_cast<const CClassType*>(rect->GetElement()));
    const CRectArea& treemap = *selection.front()->Treemap;

    // A class criterion without restrictions passes every class, in the search's order.
    CElementFilter everyClass;
    everyClass.AddClassCriterion();
    everyClass.SearchProgram(&treemap.GetProgram());
    std::vector<CSqRectangle*> found;
    for (ISquarable* element : everyClass.Results) {
        auto* candidate = dynamic_cast<const CClassType*>(element);
        CSqRectangle* rect = treemap.RectOf(element);
        bool passes = candidate != nullptr && rect != nullptr;
        for (size_t i = 0; passes && i < selected.size(); ++i)
            passes = candidate != selected[i] && Passes(candidate, selected[i]);
        if (passes)
            found.push_back(rect);
    }
    if (found.empty())
        target.ShowStatus(NotFound);
    else
        target.ReplaceSelection(found);
}

bool IsClassSelection(const std::list<CSqRectangle*>& selection) {
    if (selection.empty())
        return false;
    for (CSqRectangle* rect : selection) {
        ISquarable* element = rect->GetElement();
        if (element == nullptr || typeid(*element) != typeid(CClassType))
            return false;
    }
    return true;
}
