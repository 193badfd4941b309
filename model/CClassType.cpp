#include "model/CClassType.h"

#include <unordered_set>

void CClassType::Link(CPEContainer* context, CSourceFile* file, std::vector<CClassType*> bases,
                      std::string kind) {
    SetContext(context, file);
    Bases = std::move(bases);
    Kind = std::move(kind);
}

void CClassType::ComputeSize(const CSizing& sizing) {
    if (Computed)
        return;
    Computed = true;
    CPEContainer::ComputeSize(sizing);
}

bool CClassType::DerivesFrom(const CClassType* base) const {
    // Depth first over the bases with an explicit stack: deep hierarchies cannot exhaust the
    // call stack, and the set keeps diamonds from being searched more than once.
    std::vector<const CClassType*> pending(Bases.rbegin(), Bases.rend());
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
