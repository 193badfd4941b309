#include "layout/CFileGroup.h"

#include "model/CProgram.h"

CFileGroup::CFileGroup(const std::vector<CSourceFile*>* elements, CProgram* owner)
    : CElementGroupOf(elements, owner->FilesSize, owner->FilesLines,
                      static_cast<CProgramElement*>(owner)) {}
