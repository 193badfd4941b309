#include "layout/CClassRect.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/CElementFilter.h"
#include "render/RectSelection.h"
#include "settings/StringPrintf.h"

std::string CClassRect::GetDescription() const {
    std::string kind = Element->GetKind();
    std::string name = Element->GetName();
    int fields = static_cast<int>(Element->Fields.size());
    int functions = static_cast<int>(Element->Functions.size());
    int types = static_cast<int>(Element->Types.size());
    if (Element->Bases.empty()) {
        return StringPrintf("%s named %s contains %i fields, %i functions and %i types.\n",
                            kind.c_str(), name.c_str(), fields, functions, types) +
               CSqRectangle::GetDescription();
    }
    // "{ A, B }": each base followed by ", ", the last ", " replaced by " }".
    std::string bases = "{ ";
    for (const CClassType* base : Element->Bases)
        bases += (base != nullptr ? base->GetName() : std::string()) + ", ";
    bases.replace(bases.size() - 2, 2, " }");
    return StringPrintf("%s named %s contains %i fields, %i functions and %i types. It inherits "
                        "from the following classes: %s.\n",
                        kind.c_str(), name.c_str(), fields, functions, types, bases.c_str()) +
           CSqRectangle::GetDescription();
}

void CClassRect::ShowRelations(RectSelection& selection, bool on) {
    // The classes deriving from this one, and this class itself as a type.
    CElementFilter filter;
    filter.AddClassCriterion()->Ancestor = Element;
    filter.AddTypeCriterion()->Type = Element;
    ShowArrows(selection, on, true);
    filter.SearchProgram(Treemap->GetRoot()->Element);
    for (ISquarable* element : filter.Results) {
        CSqRectangle* rect = element->GetRect();
        if (rect == nullptr)
            continue;
        selection.Mark(rect, on);
        // This class's own arrows are shown already, so its call stops at once.
        if (auto* classRect = dynamic_cast<CClassRect*>(rect))
            classRect->ShowArrows(selection, on, false);
    }
    for (CClassType* base : Element->Bases)
        selection.MarkRectOf(base, on);
    selection.MarkRectOf(Element->GetFile(), on);
    if (!on)
        selection.Arrows->clear();
}

void CClassRect::ShowArrows(RectSelection& selection, bool on, bool up) {
    if (RelationsShown == on)
        return;
    RelationsShown = on;
    const CLooksSettings& looks = Treemap->GetLooks();
    const CColor& color = up ? looks.SpareColor2 : looks.SpareColor1;
    for (CClassType* base : Element->Bases) {
        CSqRectangle* baseRect = base != nullptr ? base->GetRect() : nullptr;
        if (on)
            selection.Arrows->push_back(
                {this, baseRect, {color.Red, color.Green, color.Blue, color.Alpha}});
        if (auto* baseClassRect = dynamic_cast<CClassRect*>(baseRect))
            baseClassRect->ShowArrows(selection, on, up);
    }
}
