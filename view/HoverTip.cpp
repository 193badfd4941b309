#include "view/HoverTip.h"

#include "layout/CElementGroup.h"
#include "layout/CSqRectangle.h"
#include "layout/GroupKinds.h"
#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CPEContainer.h"
#include "model/Descriptions.h"

namespace {

// The name of element behind those of its enclosing namespaces and classes, joined by "::";
// the global namespace adds nothing.
std::string QualifiedName(const CProgramElement& element) {
    std::string name = element.GetName();
    for (const CPEContainer* context = element.GetContext(); context != nullptr;
         context = context->GetContext()) {
        if (!context->GetName().empty() && context->GetName() != "::")
            name = context->GetName() + "::" + name;
    }
    return name;
}

std::string KindOf(const CSqRectangle& rect, const CProgramElement* element) {
    switch (rect.GetKind()) {
    case ERectKind::Program:
        return "Program";
    case ERectKind::Namespace:
        return "Namespace";
    case ERectKind::Class: {
        const auto* cls = dynamic_cast<const CClassType*>(element);
        std::string kind = cls != nullptr && !cls->GetKind().empty() ? cls->GetKind() : "Class";
        kind[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kind[0])));
        return kind;
    }
    case ERectKind::Function:
        return element != nullptr && ContextClass(*element) != nullptr ? "Method" : "Function";
    case ERectKind::Field:
        return element != nullptr && ContextClass(*element) != nullptr ? "Field" : "Variable";
    case ERectKind::Type:
        return "Type";
    case ERectKind::File:
        return "File";
    case ERectKind::Group:
        break;
    }
    return "Group";
}

} // namespace

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
    std::string text = KindOf(rect, element) + "\n" +
                       (element != nullptr ? QualifiedName(*element) : square->GetName());
    if (ISquarable* file = square->GetFile()) {
        text += "\n" + file->GetName();
        if (const auto* function = dynamic_cast<const CFunction*>(element))
            text += ":" + std::to_string(function->Line);
    }
    return text;
}
