#include "layout/CRectArea.h"

#include "layout/CProgramRect.h"
#include "layout/CTreemapBuilder.h"
#include "layout/IViewUnits.h"
#include "model/CProgram.h"

#include <cmath>

CRectArea::CRectArea(CProgram& program, const IViewUnits& view, const CLayoutSettings& layout,
                     const CLooksSettings& looks)
    : Program(program), View(view), Looks(looks), Layout(layout) {
    Root = std::make_unique<CProgramRect>(&program, static_cast<float>(program.GetSize()), nullptr,
                                          this);
    Root->SetPoints(0, 0, 2, 2);
    CTreemapBuilder(*this).LayOut(*Root);
    ComputeScreen();
}

CRectArea::~CRectArea() = default;

void CRectArea::SetLooks(const CLooksSettings& looks) {
    // Only the border width and the cushions' shape move screen boxes and cushions; colours,
    // light and labels change the picture alone.
    const bool reshaped = looks.DynamicBorderWidth != Looks.DynamicBorderWidth ||
                          looks.CushionF != Looks.CushionF || looks.CushionH != Looks.CushionH;
    Looks = looks;
    if (reshaped)
        ComputeScreen();
}

void CRectArea::ComputeScreen() {
    ++ScreenVersion;
    ScreenBorder = GetBorderWidth();
    RidgeHeights.clear();
}

float CRectArea::GetRidgeHeight(int depth) const {
    while (RidgeHeights.size() <= static_cast<std::size_t>(depth))
        RidgeHeights.push_back(Looks.CushionH *
                               std::pow(Looks.CushionF, static_cast<float>(RidgeHeights.size())));
    return RidgeHeights[static_cast<std::size_t>(depth)];
}

float CRectArea::GetBorderWidth() const {
    return View.ToViewX(static_cast<float>(Looks.DynamicBorderWidth)) - View.ToViewX(0);
}

CSqRectangle* CRectArea::RectOf(const ISquarable* element) const {
    auto found = Rects.find(element);
    return found != Rects.end() ? found->second : nullptr;
}

void CRectArea::SetRectOf(const ISquarable* element, CSqRectangle* rect) {
    Rects[element] = rect;
}
