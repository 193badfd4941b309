#include "view/SelectionStatus.h"

#include "base/StringPrintf.h"
#include "layout/CSqRectangle.h"

std::string SelectionStatusText(const std::list<CSqRectangle*>& selection) {
    if (selection.size() == 1)
        return selection.front()->GetDescription();
    if (selection.empty())
        return "Select an item to view more detailed info";
    return StringPrintf("%i items are selected", static_cast<int>(selection.size()));
}
