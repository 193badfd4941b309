#include "view/HoverTip.h"

#include "layout/CElementGroup.h"
#include "layout/CSqRectangle.h"
#include "layout/GroupKinds.h"
#include "model/CProgramElement.h"
#include "model/ElementSummary.h"

#include <cctype>

std::string HoverTipText(const CSqRectangle& rect) {
    ISquarable* square = rect.GetElement();
    if (square == nullptr)
        return "";
    if (const auto* group = dynamic_cast<const CElementGroup*>(square)) {
        std::string text = std::string("Group of ") + GroupKindOf(group->Kind).Members;
        if (const auto* owner = dynamic_cast<const CProgramElement*>(group->GetParent()))
            text += "\n" + QualifiedName(*owner);
        return text;
    }
    const auto* element = dynamic_cast<const CProgramElement*>(square);
    if (element == nullptr)
        return square->GetName();
    std::string kind = KindName(*element);
    kind[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kind[0])));
    std::string text = kind + "\n" + QualifiedName(*element);
    const std::string location = SourceLocation(*element);
    return location.empty() ? text : text + "\n" + location;
}
