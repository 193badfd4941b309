#include "model/CQuery.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CClassType.h"
#include "model/CProgram.h"
#include "model/CSubClassQuery.h"
#include "model/CSuperClassQuery.h"
#include "model/IQueryTarget.h"
#include "render/CElementFilter.h"

#include <typeinfo>

namespace {

IQueryTarget* Target = nullptr; // borrowed

} // namespace

void CQuery::SetTarget(IQueryTarget* target) {
    Target = target;
}

void CQuery::SelectClasses(const std::list<CSqRectangle*>& selection,
                           bool (*test)(const CClassType*, const CClassType*),
                           const char* notFound) {
    if (Target == nullptr || !IsClassSelection(selection))
        return;
    std::vector<const CClassType*> selected;
    for (CSqRectangle* rect : selection)
        selected.push_back(dynamic_cast<const CClassType*>(rect->GetElement()));
    auto* program = dynamic_cast<CProgram*>(selection.front()->Treemap->GetRoot()->GetElement());

    // A class criterion without restrictions passes every class, in the search's order.
    CElementFilter everyClass;
    everyClass.AddClassCriterion();
    everyClass.SearchProgram(program);
    std::vector<CSqRectangle*> found;
    for (ISquarable* element : everyClass.Results) {
        auto* candidate = dynamic_cast<const CClassType*>(element);
        bool passes = candidate != nullptr && element->GetRect() != nullptr;
        for (size_t i = 0; passes && i < selected.size(); ++i)
            passes = candidate != selected[i] && test(candidate, selected[i]);
        if (passes)
            found.push_back(element->GetRect());
    }
    if (found.empty())
        Target->ShowStatus(notFound);
    else
        Target->ReplaceSelection(found);
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

std::vector<CQuery*> GetApplicableQueries(const std::list<CSqRectangle*>& selection) {
    if (!IsClassSelection(selection))
        return {};
    return {CSubClassQuery::Instance(), CSuperClassQuery::Instance()};
}

void DeleteQueries() {
    CSubClassQuery::DeleteInstance();
    CSuperClassQuery::DeleteInstance();
}
