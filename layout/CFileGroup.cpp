#include "layout/CFileGroup.h"

#include "layout/CFileRect.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"

CFileGroup::CFileGroup(const std::vector<CSourceFile*>* elements, CProgram* owner)
    : CElementGroupOf(elements, owner->FilesSize, owner->FilesLines,
                      static_cast<CProgramElement*>(owner)) {}

void CFileGroup::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    CRectList list;
    // Files that all weigh 0 (sources not on this disk) get no rectangles rather than 0 / 0.
    if (Size > 0) {
        for (CSourceFile* file : *Elements) {
            float area = (ua * static_cast<float>(file->GetSize())) / static_cast<float>(Size);
            if (area != 0)
                list.push_back(std::make_unique<CFileRect>(file, area, rect, treemap));
        }
    }
    LayoutRects(rect, std::move(list), treemap);
}
