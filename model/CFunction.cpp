#include "model/CFunction.h"

#include "app/CAppContext.h"
#include "layout/CRectArea.h"
#include "layout/CTypeRect.h"
#include "model/CType.h"
#include "model/Saturating.h"
#include "settings/CLayoutSettings.h"

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
    if (CAppContext::Layout().UseFunctionLength)
        return Lines;
    return SaturatingAdd(Lines, Size);
}

void CFunction::ComputeSize() {
    long long lines = static_cast<long long>(EndLine) - Line;
    Lines = lines < 1 ? 1 : (lines > INT_MAX ? INT_MAX : static_cast<int>(lines));
    Size = 0;
    for (CType* argument : Arguments) {
        if (argument == nullptr) // an argument whose type did not resolve weighs nothing
            continue;
        argument->ComputeSize();
        Size = SaturatingAdd(Size, argument->GetSize());
    }
}

void CFunction::ReleaseChildLists() {
    std::vector<CType*>().swap(Arguments);
}

void CFunction::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    Rect = rect;
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    const CLayoutSettings& layout = treemap->GetLayout();
    float a = layout.ArgAreaFactor;
    if (!(a > 0.005f))
        return;
    // Size is the summed size of the resolved arguments.
    int weight = GetSize();
    float argArea = 0;
    if (layout.UseFunctionLength)
        argArea = ua * a;
    else if (weight > 0)
        argArea = (ua * static_cast<float>(Size)) / static_cast<float>(weight);
    CRectList list;
    if (Size > 0) {
        for (CType* type : Arguments) {
            if (type == nullptr) // did not resolve: no rectangle
                continue;
            float area = (static_cast<float>(type->GetSize()) * argArea) / static_cast<float>(Size);
            if (area != 0)
                list.push_back(std::make_unique<CTypeRect>(type, area, rect, treemap));
        }
    }
    rect->SetChildren(std::move(list));
    rect->Squarify();
}
