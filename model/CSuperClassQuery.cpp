#include "model/CSuperClassQuery.h"

#include "render/CClassCriterion.h"

namespace {

CSuperClassQuery* TheInstance = nullptr; // owned

bool IsAncestor(const CClassType* candidate, const CClassType* selected) {
    return CClassCriterion::DerivesFrom(selected, candidate);
}

} // namespace

CSuperClassQuery::CSuperClassQuery()
    : CQuery("Super Class Query",
             "Selects all super classes that all classes in the selection have in common") {}

CSuperClassQuery* CSuperClassQuery::Instance() {
    if (TheInstance == nullptr)
        TheInstance = new CSuperClassQuery();
    return TheInstance;
}

void CSuperClassQuery::DeleteInstance() {
    delete TheInstance;
    TheInstance = nullptr;
}

void CSuperClassQuery::Execute(std::list<CSqRectangle*>* selection, int) {
    SelectClasses(*selection, IsAncestor, "No common super classes found");
}
