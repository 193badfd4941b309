#include "view/CBasicView.h"

#include "base/CLogFile.h"
#include "layout/CProgramRect.h"
#include "model/CProgram.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/HoverTip.h"
#include "view/IViewHost.h"
#include "view/SelectionStatus.h"

#include <algorithm>
#include <list>

CBasicView::CBasicView(IViewHost* host, CLogFile& log) : Host(host), Log(log) {
    if (Host != nullptr)
        Host->SetView(this);
}

CBasicView::~CBasicView() {
    if (Host != nullptr)
        Host->SetView(nullptr);
    if (ViewData != nullptr)
        ViewData->Detach(this);
}

void CBasicView::SetViewData(CViewData* data) {
    if (ViewData != nullptr && ViewData != data)
        ViewData->Detach(this);
    ViewData = data;
    // Attached while it observes the data and no longer, so that the data never reaches a
    // view that is gone.
    if (ViewData != nullptr)
        ViewData->Attach(this);
    Rebuild();
}

void CBasicView::ReleaseViewData(CViewData* data) {
    if (data != ViewData)
        return;
    ViewData->Detach(this);
    ViewData = nullptr;
    Rebuild();
    Refresh();
}

void CBasicView::Update() {
    Rebuild();
}

void CBasicView::SetLayoutSettings(CLayoutSettings settings) {
    Layout = settings;
    Rebuild();
}

void CBasicView::SetLooksSettings(CLooksSettings looks) {
    Looks = looks;
    if (Treemap != nullptr)
        Treemap->SetLooks(looks);
    ++TreeVersion;
    Refresh();
}

void CBasicView::Rebuild() {
    Camera.Reset();
    Camera.ForgetHistory();
    DragStep = false;
    // Everything that points into the old tree goes before the tree does.
    Controller.Reset();
    Treemap.reset();
    if (ViewData != nullptr && ViewData->GetProgram() != nullptr)
        Treemap = std::make_unique<CRectArea>(*ViewData->GetProgram(), *this, Layout, Looks);
    ++TreeVersion;
    // The status described a rectangle of the old tree.
    UpdateStatus();
}

void CBasicView::ViewSize(int& width, int& height) const {
    width = Width;
    height = Height;
    if (Host != nullptr)
        Host->GetViewSize(width, height);
}

void CBasicView::ToView(float px, float py, float& x, float& y) const {
    int width, height;
    ViewSize(width, height);
    Camera.ToView(px, py, width, height, x, y);
}

float CBasicView::ToViewX(float px) const {
    float x, y;
    ToView(px, 0, x, y);
    return x;
}

void CBasicView::MouseMove(int px, int py) {
    if (Treemap == nullptr)
        return;
    CSqRectangle* rect = nullptr;
    if (!(px == -1 && py == -1)) {
        float x, y;
        ToView(static_cast<float>(px), static_cast<float>(py), x, y);
        rect = Treemap->GetRoot()->FindAt(x, y);
    }
    if (!Controller.SetHover(rect))
        return;
    // The status bar describes the element under the pointer, and the selection again once
    // the pointer is on nothing.
    if (Host != nullptr) {
        if (rect != nullptr)
            Host->ShowStatusText(SelectionStatusText({rect}));
        else
            UpdateStatus();
        Host->ShowHoverTip(rect != nullptr ? HoverTipText(*rect) : "");
    }
    Refresh();
}

CSqRectangle* CBasicView::Resolve(float x, float y) const {
    if (Treemap == nullptr)
        return nullptr;
    return Controller.Resolve(Treemap->GetRoot()->FindAt(x, y));
}

void CBasicView::LeftClick(int px, int py) {
    if (Treemap == nullptr)
        return;
    float x, y;
    ToView(static_cast<float>(px), static_cast<float>(py), x, y);
    if (CSqRectangle* rect = Resolve(x, y)) {
        Controller.Toggle(rect);
        UpdateStatus();
    }
    Refresh();
}

void CBasicView::DoubleClick(int px, int py) {
    if (Treemap == nullptr)
        return;
    float x, y;
    ToView(static_cast<float>(px), static_cast<float>(py), x, y);
    CSqRectangle* hit = Treemap->GetRoot()->FindAt(x, y);
    CSqRectangle* resolved = Controller.Resolve(hit);
    // The first press of the pair has toggled the rectangle; the zoomed one ends selected, so
    // that the status bar says what it is.
    const std::list<CSqRectangle*>& selected = Controller.Selection.SelectedRects;
    if (resolved != nullptr &&
        std::find(selected.begin(), selected.end(), resolved) == selected.end()) {
        Controller.Toggle(resolved);
        UpdateStatus();
    }
    ZoomToRect(resolved != nullptr ? resolved : hit);
}

void CBasicView::RightClick(int px, int py) {
    if (Treemap == nullptr)
        return;
    std::vector<const CQuery*> queries = GetApplicableQueries();
    if (!queries.empty() && Host != nullptr)
        Host->ShowQueryPopup(queries, px, py);
}

std::vector<const CQuery*> CBasicView::GetApplicableQueries() const {
    if (!IsClassSelection(Controller.Selection.SelectedRects))
        return {};
    return {&SubClasses, &SuperClasses};
}

void CBasicView::RunQuery(const CQuery* query) {
    Log.Write("Query", query->GetDescription(), query->GetName());
    query->Execute(Controller.Selection.SelectedRects, *this);
}

void CBasicView::MouseWheel(int steps, int px, int py, bool controlDown) {
    if (Treemap == nullptr)
        return;
    if (!controlDown) {
        Zoom(steps, px, py);
    } else {
        float x, y;
        ToView(static_cast<float>(px), static_cast<float>(py), x, y);
        if (CSqRectangle* rect = Treemap->GetRoot()->FindAt(x, y))
            WalkSelection(steps, rect);
    }
    Refresh();
}

void CBasicView::Zoom(int steps, int px, int py) {
    if (Treemap == nullptr)
        return;
    int width, height;
    ViewSize(width, height);
    Camera.Zoom(steps, px, py, width, height);
    RecomputeScreen();
    Remember();
}

void CBasicView::ZoomToRect(CSqRectangle* rect) {
    if (Treemap == nullptr || rect == nullptr)
        return;
    int width, height;
    ViewSize(width, height);
    // The borders are fixed in pixels, so the box shrinks a little as the zoom grows: it is
    // measured again at the new zoom once.
    for (int pass = 0; pass < 2; ++pass) {
        const CRectPoints& box = rect->GetScreen();
        Camera.ZoomTo(box.MinX, box.MinY, box.MaxX, box.MaxY, width, height);
        RecomputeScreen();
    }
    ++ViewVersion;
    Remember();
    Refresh();
}

bool CBasicView::ShowElement(const ISquarable* element) {
    CSqRectangle* rect = Treemap != nullptr ? Treemap->RectOf(element) : nullptr;
    if (rect == nullptr)
        return false;
    Controller.SelectOnly(rect);
    UpdateStatus();
    ZoomToRect(rect);
    return true;
}

bool CBasicView::StepBack() {
    float zoom = Camera.ZoomFactor;
    if (!Camera.Back())
        return false;
    CameraMoved(zoom);
    Refresh();
    return true;
}

bool CBasicView::StepForward() {
    float zoom = Camera.ZoomFactor;
    if (!Camera.Forward())
        return false;
    CameraMoved(zoom);
    Refresh();
    return true;
}

void CBasicView::CameraMoved(float oldZoom) {
    ++ViewVersion;
    if (Camera.ZoomFactor != oldZoom)
        RecomputeScreen();
}

void CBasicView::Remember() {
    Camera.Record();
    DragStep = false;
}

void CBasicView::RecomputeScreen() {
    ++TreeVersion;
    if (Treemap != nullptr)
        Treemap->ComputeScreen();
}

void CBasicView::Drag(int fromX, int fromY, int toX, int toY) {
    if (Treemap == nullptr)
        return;
    float x0, y0, x1, y1;
    ToView(static_cast<float>(fromX), static_cast<float>(fromY), x0, y0);
    ToView(static_cast<float>(toX), static_cast<float>(toY), x1, y1);
    Camera.Pan(x1 - x0, y1 - y0);
    ++ViewVersion;
    // The first move of a drag makes a step; the moves after it amend that step.
    if (DragStep)
        Camera.Amend();
    else
        DragStep = Camera.Record();
    Refresh();
}

void CBasicView::Pan(float dx, float dy) {
    Camera.Pan(dx, dy);
    ++ViewVersion;
    Remember();
}

void CBasicView::WalkSelection(int steps, CSqRectangle* r) {
    bool skipGroups = Treemap != nullptr && Treemap->GetLayout().ContainerBordersOnly;
    if (Controller.WalkSelection(steps, r, skipGroups))
        UpdateStatus();
}

bool CBasicView::KeyDown(int keyCode, int modifiers) {
    if (Treemap == nullptr || (modifiers & ModControl) != 0)
        return false;
    if ((modifiers & ModAlt) != 0) {
        if (keyCode == KeyLeft)
            StepBack();
        else if (keyCode == KeyRight)
            StepForward();
        else
            return false;
        return true;
    }
    int width, height;
    ViewSize(width, height);
    switch (keyCode) {
    case KeyBackspace:
    case KeyHome:
    case 'r':
    case 'R':
        ResetView();
        break;
    case '+':
    case KeyPadPlus:
        Zoom(1, width / 2, height / 2);
        break;
    case '-':
    case KeyPadMinus:
        Zoom(-1, width / 2, height / 2);
        break;
    case KeyEscape:
        Controller.Clear();
        UpdateStatus();
        break;
    case 'a':
    case 'A':
    case KeyLeft:
        Pan(0.1f, 0);
        break;
    case 'd':
    case 'D':
    case KeyRight:
        Pan(-0.1f, 0);
        break;
    case 's':
    case 'S':
    case KeyDownArrow:
        Pan(0, 0.1f);
        break;
    case 'w':
    case 'W':
        Pan(0, -0.1f);
        break;
    case KeyUp:
        SelectParent();
        break;
    default:
        return false;
    }
    Refresh();
    return true;
}

void CBasicView::ResetView() {
    ++ViewVersion;
    // The borders were computed for the old zoom.
    if (Camera.Reset())
        RecomputeScreen();
    Remember();
}

void CBasicView::SelectParent() {
    if (Controller.SelectParent())
        UpdateStatus();
}

int CBasicView::FindElements(CElementFilter& filter) {
    if (Treemap == nullptr)
        return 0;
    filter.SearchProgram(&Treemap->GetProgram());
    int count = Controller.AddRectsOf(filter.Results, *Treemap);
    UpdateStatus();
    return count;
}

void CBasicView::Refresh() {
    if (Host != nullptr)
        Host->RefreshCanvas();
}

void CBasicView::UpdateStatus() {
    if (Host != nullptr)
        Host->UpdateSelectionStatus(Controller.Selection.SelectedRects);
}

void CBasicView::Resize(int width, int height) {
    Width = width;
    Height = height;
    ++ViewVersion;
    // The border width is fixed in pixels, so it changes in view units with the width.
    if (Treemap != nullptr)
        RecomputeScreen();
}

void CBasicView::ReplaceSelection(const std::vector<CSqRectangle*>& rects) {
    Controller.Replace(rects);
    UpdateStatus();
    Refresh();
}

void CBasicView::ShowStatus(const std::string& text) {
    if (Host != nullptr)
        Host->ShowStatusText(text);
}
