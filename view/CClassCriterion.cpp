#include "view/CClassCriterion.h"

#include "model/CClassType.h"

#include <algorithm>

bool CClassCriterion::Passes(const CClassType* candidate) const {
    if (DirectBase != nullptr && std::find(candidate->Bases.begin(), candidate->Bases.end(),
                                           DirectBase) == candidate->Bases.end())
        return false;
    return Ancestor == nullptr || candidate->DerivesFrom(Ancestor);
}
