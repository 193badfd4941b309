#include "render/CClassCriterion.h"

#include "model/CClassType.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

bool CClassCriterion::DerivesFrom(const CClassType* derived, const CClassType* base) {
    // Depth first over the bases with an explicit stack: deep hierarchies cannot exhaust the
    // call stack, and the set keeps diamonds from being searched more than once.
    std::vector<const CClassType*> pending(derived->Bases.rbegin(), derived->Bases.rend());
    std::unordered_set<const CClassType*> seen;
    while (!pending.empty()) {
        const CClassType* current = pending.back();
        pending.pop_back();
        if (current == nullptr || !seen.insert(current).second)
            continue;
        if (current == base)
            return true;
        pending.insert(pending.end(), current->Bases.rbegin(), current->Bases.rend());
    }
    return false;
}

bool CClassCriterion::Passes(const CClassType* candidate) const {
    if (DirectBase != nullptr && std::find(candidate->Bases.begin(), candidate->Bases.end(),
                                           DirectBase) == candidate->Bases.end())
        return false;
    return Ancestor == nullptr || DerivesFrom(candidate, Ancestor);
}
