#include "model/CAliasType.h"

void CAliasType::Link(CPEContainer* context, CSourceFile* file, CType* aliased) {
    SetContext(context, file);
    BaseType = aliased;
}

void CAliasType::ComputeSize(const CSizing&) {
    Size = 1;
    Lines = 1;
}
