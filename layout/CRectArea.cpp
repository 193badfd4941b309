#include "layout/CRectArea.h"

#include "app/CAppContext.h"
#include "layout/CProgramRect.h"
#include "layout/IViewUnits.h"
#include "model/CProgram.h"

CRectArea::CRectArea(CProgram* program, IViewUnits* view)
    : View(view), Looks(CAppContext::Looks()), Layout(CAppContext::Layout()) {
    Root = std::make_unique<CProgramRect>(program, static_cast<float>(program->GetSize()), nullptr,
                                          this);
    Root->SetPoints(0, 0, 2, 2);
    program->SetRect(Root.get(), this);
    Root->ComputeScreenRects();
    Root->ComputeCushion(true);
}

CRectArea::~CRectArea() = default;

void CRectArea::SetLooks(CLooksSettings looks) {
    Looks = looks;
    Root->ComputeScreenRects();
    Root->ComputeCushion(true);
}

float CRectArea::GetBorderWidth() const {
    return View->ToViewX(static_cast<float>(Looks.DynamicBorderWidth)) - View->ToViewX(0);
}
