#include "model/CField.h"

#include "model/CType.h"

void CField::Link(CPEContainer* context, CSourceFile* file, CType* type, int access) {
    SetContext(context, file);
    Type = type;
    Access = access;
}

void CField::ComputeSize(const CSizing& sizing) {
    if (Type == nullptr) {
        Size = Lines = 0;
        return;
    }
    Type->ComputeSize(sizing);
    Size = Type->GetSize();
    Lines = Type->GetLines();
}
