#include "layout/CElementGroup.h"

void CElementGroup::SetRect(CSqRectangle* rect, CRectArea*) {
    Rect = rect;
}
