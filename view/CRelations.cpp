#include "view/CRelations.h"

#include "layout/CClassRect.h"
#include "layout/CFieldRect.h"
#include "layout/CFileRect.h"
#include "layout/CFunctionRect.h"
#include "layout/CRectArea.h"
#include "layout/CTypeRect.h"
#include "model/CReferenceType.h"
#include "view/CElementFilter.h"
#include "view/RectSelection.h"

void CRelations::Show(CSqRectangle& rect, CRelationSet& set) {
    const CRectArea& treemap = *rect.Treemap;
    auto mark = [&](const ISquarable* element) {
        if (element != nullptr)
            set.Mark(treemap.RectOf(element));
    };
    switch (rect.GetKind()) {
    case ERectKind::Class:
        ShowClass(static_cast<CClassRect&>(rect), set);
        break;
    case ERectKind::Function: {
        CFunction& function = *static_cast<CFunctionRect&>(rect).Element;
        mark(function.ReturnType);
        CElementFilter filter;
        for (CType* type : function.Arguments) {
            if (type == nullptr || type->GetTypeKind() == TypeKindFundamental)
                continue;
            if (type->GetTypeKind() == TypeKindDerived)
                type = static_cast<CReferenceType*>(type)->GetBaseType();
            if (type != nullptr)
                filter.AddTypeCriterion()->Type = type;
        }
        filter.SearchProgram(&treemap.GetProgram());
        for (ISquarable* element : filter.Results)
            mark(element);
        mark(function.GetFile());
        break;
    }
    case ERectKind::Field: {
        CField& field = *static_cast<CFieldRect&>(rect).Element;
        mark(field.Type);
        mark(field.GetFile());
        break;
    }
    case ERectKind::Type:
        mark(static_cast<CTypeRect&>(rect).Element->GetFile());
        break;
    case ERectKind::File: {
        // A name criterion with an empty name passes every element declared in the file.
        CElementFilter filter;
        filter.AddNameCriterion()->SourceFile = static_cast<CFileRect&>(rect).Element;
        filter.SearchProgram(&treemap.GetProgram());
        for (ISquarable* element : filter.Results)
            mark(element);
        break;
    }
    default:
        break;
    }
}

void CRelations::ShowClass(CClassRect& rect, CRelationSet& set) {
    const CRectArea& treemap = *rect.Treemap;
    CClassType* cls = rect.Element;
    // The classes deriving from this one, and this class itself as a type.
    CElementFilter filter;
    filter.AddClassCriterion()->Ancestor = cls;
    filter.AddTypeCriterion()->Type = cls;
    ShowArrows(rect, set, true);
    filter.SearchProgram(&treemap.GetProgram());
    for (ISquarable* element : filter.Results) {
        CSqRectangle* related = treemap.RectOf(element);
        if (related == nullptr)
            continue;
        set.Mark(related);
        // This class's own arrows are shown already, so its call stops at once.
        if (related->GetKind() == ERectKind::Class)
            ShowArrows(static_cast<CClassRect&>(*related), set, false);
    }
    for (CClassType* base : cls->Bases)
        set.Mark(base != nullptr ? treemap.RectOf(base) : nullptr);
    if (const ISquarable* file = cls->GetFile())
        set.Mark(treemap.RectOf(file));
}

void CRelations::ShowArrows(CClassRect& rect, CRelationSet& set, bool up) {
    if (!set.ArrowsShown.insert(&rect).second)
        return;
    const CLooksSettings& looks = rect.Treemap->GetLooks();
    const CColor& color = up ? looks.SpareColor2 : looks.SpareColor1;
    for (CClassType* base : rect.Element->Bases) {
        CSqRectangle* baseRect = base != nullptr ? rect.Treemap->RectOf(base) : nullptr;
        set.Arrows.push_back({&rect, baseRect, {color.Red, color.Green, color.Blue, color.Alpha}});
        if (baseRect != nullptr && baseRect->GetKind() == ERectKind::Class)
            ShowArrows(static_cast<CClassRect&>(*baseRect), set, up);
    }
}
