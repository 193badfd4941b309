#include "view/CSelectionController.h"

#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CPEContainer.h"
#include "view/CRelations.h"

#include <algorithm>

bool CSelectionController::SetHover(CSqRectangle* rect) {
    if (rect == Hover)
        return false;
    if (Hover != nullptr) {
        Selection.SetHighlight(Hover, false);
        Hover->Highlighted = false;
        CRelations::Show(*Hover, Selection, false);
    }
    Hover = rect;
    if (Hover != nullptr) {
        Selection.SetHighlight(Hover, true);
        Hover->Highlighted = true;
        CRelations::Show(*Hover, Selection, true);
    }
    return true;
}

CSqRectangle* CSelectionController::Resolve(CSqRectangle* hit) const {
    if (hit == nullptr)
        return nullptr;
    const CRectArea& treemap = *hit->Treemap;
    switch (SelectMode) {
    case SelectClass: {
        if (hit->IsGroup())
            return nullptr;
        auto* element = dynamic_cast<CProgramElement*>(hit->GetElement());
        CPEContainer* context = element != nullptr ? element->GetContext() : nullptr;
        return context != nullptr && context->IsClass() ? treemap.RectOf(context) : nullptr;
    }
    case SelectGroup:
        // The nearest group rectangle at or above the clicked one.
        while (hit != nullptr && hit->GetKind() != ERectKind::Group)
            hit = hit->Parent;
        return hit;
    case SelectFile: {
        ISquarable* element = hit->GetElement();
        ISquarable* file = element != nullptr ? element->GetFile() : nullptr;
        return file != nullptr ? treemap.RectOf(file) : nullptr;
    }
    default:
        return hit;
    }
}

void CSelectionController::Toggle(CSqRectangle* rect) {
    if (rect->Selected)
        Selection.Remove(rect);
    else
        Selection.Add(rect);
}

void CSelectionController::SelectOnly(CSqRectangle* rect) {
    Selection.Clear();
    Selection.Add(rect);
}

void CSelectionController::Replace(const std::vector<CSqRectangle*>& rects) {
    Selection.Clear();
    for (CSqRectangle* rect : rects)
        Selection.Add(rect);
}

int CSelectionController::AddRectsOf(const std::vector<ISquarable*>& elements,
                                     const CRectArea& treemap) {
    int count = 0;
    for (ISquarable* element : elements) {
        if (CSqRectangle* rect = treemap.RectOf(element)) {
            Selection.Add(rect);
            ++count;
        }
    }
    return count;
}

bool CSelectionController::SelectParent() {
    if (Selection.GetCount() != 1 || Selection.SelectedRects.front()->Parent == nullptr)
        return false;
    SelectOnly(Selection.SelectedRects.front()->Parent);
    return true;
}

bool CSelectionController::WalkSelection(int steps, CSqRectangle* r, bool skipGroups) {
    if (Selection.GetCount() != 1)
        return false;
    CSqRectangle* selected = Selection.SelectedRects.front();
    auto counts = [skipGroups](const CSqRectangle* rect) {
        return !(skipGroups && rect->IsGroup());
    };
    if (steps > 0) {
        CSqRectangle* reached = selected;
        for (int counted = 0; counted < steps && reached->Parent != nullptr;) {
            reached = reached->Parent;
            if (counts(reached))
                ++counted;
        }
        SelectOnly(reached);
        return true;
    }
    if (steps < 0) {
        // The counted rectangles between r (first) and the selected one (left out).
        std::vector<CSqRectangle*> chain;
        CSqRectangle* rect = r;
        while (rect != nullptr && rect != selected) {
            if (counts(rect))
                chain.push_back(rect);
            rect = rect->Parent;
        }
        if (rect == nullptr)
            return false; // r is not inside the selected rectangle
        size_t below = std::min(static_cast<size_t>(-static_cast<long>(steps)), chain.size());
        SelectOnly(below == 0 ? selected : chain[chain.size() - below]);
        return true;
    }
    return false;
}

void CSelectionController::Clear() {
    Selection.Clear();
}

void CSelectionController::Reset() {
    Hover = nullptr;
    Selection.Reset();
}
