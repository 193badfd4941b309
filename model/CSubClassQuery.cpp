#include "model/CSubClassQuery.h"

#include "render/CClassCriterion.h"

namespace {

CSubClassQuery* TheInstance = nullptr; // owned

bool IsDescendant(const CClassType* candidate, const CClassType* selected) {
    return CClassCriterion::DerivesFrom(candidate, selected);
}

} // namespace

CSubClassQuery::CSubClassQuery()
    : CQuery("Sub Class Query",
             "Selects all subclasses that all classes in the selection have in common") {}

CSubClassQuery* CSubClassQuery::Instance() {
    if (TheInstance == nullptr)
        TheInstance = new CSubClassQuery();
    return TheInstance;
}

void CSubClassQuery::DeleteInstance() {
    delete TheInstance;
    TheInstance = nullptr;
}

void CSubClassQuery::Execute(std::list<CSqRectangle*>* selection, int) {
    SelectClasses(*selection, IsDescendant, "No common subclasses found");
}
