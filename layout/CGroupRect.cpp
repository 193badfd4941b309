#include "layout/CGroupRect.h"

#include "base/StringPrintf.h"
#include "layout/GroupKinds.h"

std::string CGroupRect::GetDescription() const {
    return StringPrintf("Group of %i %s.\n", Group->GetCount(), GroupKindOf(Group->Kind).Members) +
           CSqRectangle::GetDescription();
}

const char* CGroupRect::GetClassName() const {
    return GroupKindOf(Group->Kind).RectClass;
}

const CColor& CGroupRect::GetFrameColor(const CLooksSettings& looks) const {
    return looks.*GroupKindOf(Group->Kind).FrameColor;
}
