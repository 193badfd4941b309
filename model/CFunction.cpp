#include "model/CFunction.h"

#include "model/CSizing.h"
#include "model/CType.h"
#include "model/Saturating.h"

#include <climits>

void CFunction::Link(CPEContainer* context, CSourceFile* file, CType* returnType,
                     std::vector<CType*> arguments, int line, int endLine, CClassType* owner,
                     int access) {
    SetContext(context, file);
    ReturnType = returnType;
    Arguments = std::move(arguments);
    Line = line;
    EndLine = endLine;
    OwnerClass = owner;
    Access = access;
}

int CFunction::GetSize() const {
    if (WeighedByLength)
        return Lines;
    return SaturatingAdd(Lines, Size);
}

void CFunction::ComputeSize(const CSizing& sizing) {
    WeighedByLength = sizing.UseFunctionLength;
    long long lines = static_cast<long long>(EndLine) - Line;
    Lines = lines < 1 ? 1 : (lines > INT_MAX ? INT_MAX : static_cast<int>(lines));
    Size = 0;
    for (CType* argument : Arguments) {
        if (argument == nullptr) // an argument whose type did not resolve weighs nothing
            continue;
        argument->ComputeSize(sizing);
        Size = SaturatingAdd(Size, argument->GetSize());
    }
}
