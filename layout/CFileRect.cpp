#include "layout/CFileRect.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/CElementFilter.h"
#include "render/RectSelection.h"
#include "settings/StringPrintf.h"

std::string CFileRect::GetDescription() const {
    return StringPrintf("File %s has a size of %i bytes.\n", Element->GetName().c_str(),
                        Element->GetSize()) +
           CSqRectangle::GetDescription();
}

void CFileRect::ShowRelations(RectSelection& selection, bool on) {
    // A name criterion with an empty name passes every element declared in the file.
    CElementFilter filter;
    filter.AddNameCriterion()->SourceFile = Element;
    filter.SearchProgram(Treemap->GetRoot()->Element);
    for (ISquarable* element : filter.Results)
        selection.MarkRectOf(element, on);
}
