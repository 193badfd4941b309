#include "view/CSelectionController.h"

#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/ISquarable.h"

#include <algorithm>

bool CSelectionController::SetHover(CSqRectangle* rect) {
    if (rect == Hover)
        return false;
    Hover = rect;
    Selection.SetHover(rect);
    return true;
}

CSqRectangle* CSelectionController::Resolve(CSqRectangle* hit) const {
    if (hit == nullptr)
        return nullptr;
    const CRectArea& treemap = *hit->Treemap;
    switch (SelectMode) {
    case SelectClass:
        // A class's own rectangle, or the innermost class rectangle holding the clicked one (a
        // member, a group of members, an argument type drawn inside a method).
        while (hit != nullptr && hit->GetKind() != ERectKind::Class)
            hit = hit->Parent;
        return hit;
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
    Selection.Toggle(rect);
}

void CSelectionController::SelectOnly(CSqRectangle* rect) {
    Selection.Replace({rect});
}

void CSelectionController::Replace(const std::vector<CSqRectangle*>& rects) {
    Selection.Replace(rects);
}

int CSelectionController::AddRectsOf(const std::vector<ISquarable*>& elements,
                                     const CRectArea& treemap) {
    std::vector<CSqRectangle*> rects;
    for (ISquarable* element : elements) {
        if (CSqRectangle* rect = treemap.RectOf(element))
            rects.push_back(rect);
    }
    Selection.Add(rects);
    return static_cast<int>(rects.size());
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
