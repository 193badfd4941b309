#include "model/CReferenceType.h"

void CReferenceType::ComputeSize(const CSizing&) {
    Size = 4;
    Lines = 1;
}

std::string CReferenceType::GetName() const {
    // Walk down the chain of derived types iteratively, so that a long chain cannot exhaust
    // the stack; a chain that leads back into itself (crafted input) is cut where it repeats,
    // detected with a second walker moving at half speed.
    std::string stars;
    const CType* slow = this;
    const CType* type = this;
    bool moveSlow = false;
    while (type != nullptr && type->GetTypeKind() == TypeKindDerived) {
        stars += " *";
        type = static_cast<const CReferenceType*>(type)->BaseType;
        if (moveSlow)
            slow = static_cast<const CReferenceType*>(slow)->BaseType;
        moveSlow = !moveSlow;
        if (type == slow)
            return stars;
    }
    return (type != nullptr ? type->GetName() : std::string()) + stars;
}
