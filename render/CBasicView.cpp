#include "render/CBasicView.h"

#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "layout/CGrpFileRect.h"
#include "layout/CProgramRect.h"
#include "layout/CSqRectangle.h"
#include "model/CPEContainer.h"
#include "model/CProgram.h"
#include "model/CQuery.h"
#include "render/CCushionRenderer.h"
#include "render/CElementFilter.h"
#include "render/CViewData.h"
#include "render/IViewHost.h"

#include <algorithm>
#include <cmath>

CBasicView::CBasicView(IViewHost* host) : Host(host) {
    if (Host != nullptr)
        Host->SetView(this);
    CQuery::SetTarget(this);
}

CBasicView::~CBasicView() {
    CQuery::SetTarget(nullptr);
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

void CBasicView::SetLayoutSettings(CLayoutSettings) {
    Rebuild();
}

void CBasicView::SetLooksSettings(CLooksSettings looks) {
    if (Treemap != nullptr)
        Treemap->SetLooks(looks);
    Dirty = true;
    Refresh();
}

void CBasicView::Rebuild() {
    ZoomFactor = 1;
    PanX = PanY = 0;
    Hover = nullptr;
    // Everything that points into the old tree goes before the tree does: the selection
    // takes its relations back while the program is still there.
    Selection.Clear();
    Selection.HighlightedRects.clear();
    Arrows.clear();
    Treemap.reset();
    if (ViewData != nullptr && ViewData->GetProgram() != nullptr)
        Treemap = std::make_unique<CRectArea>(ViewData->GetProgram(), this);
    Dirty = true;
}

void CBasicView::ToView(float px, float py, float& x, float& y) const {
    int width = Width, height = Height;
    if (Host != nullptr)
        Host->GetViewSize(width, height);
    // A window not sized yet counts as one pixel, which keeps the arithmetic finite.
    float w = static_cast<float>(std::max(width, 1));
    float h = static_cast<float>(std::max(height, 1));
    x = ((2 * px / w) - 1) / ZoomFactor - PanX;
    y = (1 - (2 * py / h)) / ZoomFactor - PanY;
}

float CBasicView::ToViewX(float px) const {
    float x, y;
    ToView(px, 0, x, y);
    return x;
}

void CBasicView::Draw() {
    if (Treemap == nullptr)
        return;
    if (!Dirty && !ViewChanged) {
        // The raster position is the lower-left corner: nothing here moves it.
        if (Snapshot.size() == static_cast<size_t>(Width) * Height * 4 && !Snapshot.empty())
            glDrawPixels(Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Snapshot.data());
    } else {
        RenderTree(Dirty);
        SaveSnapshot();
        Dirty = ViewChanged = false;
    }
    DrawOverlay();
    CAppContext::Log().CheckGLError();
}

void CBasicView::LoadViewMatrix() const {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(ZoomFactor, ZoomFactor, 0);
    glTranslatef(PanX, PanY, 0);
}

void CBasicView::RenderTree(bool rebuild) {
    if (Treemap == nullptr)
        return;
    LoadViewMatrix();
    const CLooksSettings& looks = Treemap->GetLooks();
    CCushionRenderer::SetFrameParameters(looks);
    ++TreeRenders;
    if (!looks.DisplayLists) {
        CCushionRenderer::DrawTree(*Treemap, false);
        return;
    }
    if (!rebuild && DisplayList != 0) {
        glCallList(DisplayList);
        return;
    }
    if (DisplayList != 0)
        glDeleteLists(DisplayList, 1);
    DisplayList = glGenLists(1);
    if (DisplayList != 0)
        glNewList(DisplayList, GL_COMPILE_AND_EXECUTE);
    CCushionRenderer::DrawTree(*Treemap, false);
    if (DisplayList != 0)
        glEndList();
}

void CBasicView::SaveSnapshot() {
    Snapshot.assign(static_cast<size_t>(std::max(Width, 0)) * std::max(Height, 0) * 4, 0);
    if (Snapshot.empty())
        return;
    // A window's context draws into its back buffer; an offscreen one into the bound
    // framebuffer object, whose colour buffer is read by default.
    GLint framebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &framebuffer);
    if (framebuffer == 0)
        glReadBuffer(GL_BACK);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Snapshot.data());
}

void CBasicView::DrawOverlay() {
    if (Treemap == nullptr)
        return;
    LoadViewMatrix();
    const CLooksSettings& looks = Treemap->GetLooks();
    for (CSqRectangle* rect : Selection.SelectedRects)
        CCushionRenderer::Draw(*rect, looks, true);
    for (CSqRectangle* rect : Selection.HighlightedRects)
        CCushionRenderer::Draw(*rect, looks, true);
    for (const RelationArrow& arrow : Arrows)
        DrawArrow(arrow);
}

void CBasicView::DrawArrow(const RelationArrow& arrow) {
    if (arrow.From == nullptr || arrow.To == nullptr)
        return;
    const CRectPoints& from = arrow.From->Screen;
    float startX = (from.MinX + from.MaxX) / 2;
    float startY = (from.MinY + from.MaxY) / 2;
    float end[2];
    arrow.To->Screen.ClampPoint(startX, startY, end);
    float dx = end[0] - startX;
    float dy = end[1] - startY;
    float length = std::sqrt(dx * dx + dy * dy);
    // A start inside the target gives the arrow no direction: nothing to draw.
    if (!(length > 0))
        return;
    float ux = dx / length;
    float uy = dy / length;
    float head = length * 0.025f + 0.02f;
    float baseX = end[0] - ux * head;
    float baseY = end[1] - uy * head;
    glColor4f(arrow.Color[0], arrow.Color[1], arrow.Color[2], arrow.Color[3]);
    glLineWidth(length * 1.5f + 3.0f);
    glBegin(GL_LINES);
    glVertex2f(startX, startY);
    glVertex2f(baseX, baseY);
    glEnd();
    // The head: a triangle with its tip at the end, its base across the shaft.
    float sideX = -uy * 0.5f * head;
    float sideY = ux * 0.5f * head;
    glBegin(GL_TRIANGLES);
    glVertex2f(end[0], end[1]);
    glVertex2f(baseX + sideX, baseY + sideY);
    glVertex2f(baseX - sideX, baseY - sideY);
    glEnd();
}

void CBasicView::MouseMove(int px, int py) {
    if (Treemap == nullptr)
        return;
    CSqRectangle* rect = nullptr;
    if (!(px == -1 && py == -1) && Treemap->GetRoot() != nullptr) {
        float x, y;
        ToView(static_cast<float>(px), static_cast<float>(py), x, y);
        rect = Treemap->GetRoot()->FindAt(x, y);
    }
    if (rect == Hover)
        return;
    if (Hover != nullptr) {
        Selection.SetHighlight(Hover, false);
        Hover->SetHighlighted(false);
        Hover->ShowRelations(Selection, false);
    }
    Hover = rect;
    if (Hover != nullptr) {
        Selection.SetHighlight(Hover, true);
        Hover->SetHighlighted(true);
        Hover->ShowRelations(Selection, true);
    }
    Refresh();
}

CSqRectangle* CBasicView::Resolve(float x, float y) const {
    if (Treemap == nullptr || Treemap->GetRoot() == nullptr)
        return nullptr;
    CSqRectangle* rect = Treemap->GetRoot()->FindAt(x, y);
    if (rect == nullptr)
        return nullptr;
    switch (SelectMode) {
    case SelectClass: {
        if (rect->IsGroup())
            return nullptr;
        auto* element = dynamic_cast<CProgramElement*>(rect->GetElement());
        CPEContainer* context = element != nullptr ? element->GetContext() : nullptr;
        return context != nullptr && context->IsClass() ? context->GetRect() : nullptr;
    }
    case SelectGroup:
        // The nearest group rectangle at or above the clicked one.
        while (rect != nullptr && !rect->IsGroup() && dynamic_cast<CGrpFileRect*>(rect) == nullptr)
            rect = rect->Parent;
        return rect;
    case SelectFile: {
        ISquarable* element = rect->GetElement();
        ISquarable* file = element != nullptr ? element->GetFile() : nullptr;
        return file != nullptr ? file->GetRect() : nullptr;
    }
    default:
        return rect;
    }
}

void CBasicView::LeftClick(int px, int py) {
    if (Treemap == nullptr)
        return;
    float x, y;
    ToView(static_cast<float>(px), static_cast<float>(py), x, y);
    CSqRectangle* rect = Resolve(x, y);
    if (rect != nullptr && rect->Selected) {
        Selection.Remove(rect);
        UpdateStatus();
    } else if (rect != nullptr) {
        Selection.Add(rect);
        UpdateStatus();
    }
    Refresh();
}

void CBasicView::RightClick(int px, int py) {
    if (Treemap == nullptr)
        return;
    std::vector<CQuery*> queries = GetApplicableQueries(Selection.SelectedRects);
    if (!queries.empty() && Host != nullptr)
        Host->ShowQueryPopup(queries, px, py);
}

void CBasicView::RunQuery(CQuery* query) {
    CAppContext::Log().Write("Query", query->GetDescription(), query->GetName());
    query->Execute(&Selection.SelectedRects, 0);
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
    float fx = static_cast<float>(px), fy = static_cast<float>(py);
    float a0, b0, a1, b1;
    ToView(fx, fy, a0, b0);
    ZoomFactor = std::max(ZoomFactor + static_cast<float>(steps), 1.0f);
    ToView(fx, fy, a1, b1);
    // The point under the mouse stays put.
    PanX += a1 - a0;
    PanY += b1 - b0;
    if (steps <= 0) {
        // Zooming out pulls the visible area back inside the tree.
        int width = Width, height = Height;
        if (Host != nullptr)
            Host->GetViewSize(width, height);
        float left, top, right, bottom;
        ToView(0, 0, left, top);
        ToView(static_cast<float>(width), static_cast<float>(height), right, bottom);
        if (left < -1)
            PanX += left + 1;
        if (bottom < -1)
            PanY += bottom + 1;
        if (right > 1)
            PanX += right - 1;
        if (top > 1)
            PanY += top - 1;
    }
    RecomputeScreen();
}

void CBasicView::RecomputeScreen() {
    Dirty = true;
    if (Treemap == nullptr)
        return;
    Treemap->GetRoot()->ComputeScreenRects();
    Treemap->GetRoot()->ComputeCushion(true);
}

void CBasicView::Drag(int fromX, int fromY, int toX, int toY) {
    if (Treemap == nullptr)
        return;
    float x0, y0, x1, y1;
    ToView(static_cast<float>(fromX), static_cast<float>(fromY), x0, y0);
    ToView(static_cast<float>(toX), static_cast<float>(toY), x1, y1);
    Pan(x1 - x0, y1 - y0);
    Refresh();
}

void CBasicView::Pan(float dx, float dy) {
    PanX += dx;
    PanY += dy;
    ViewChanged = true;
}

void CBasicView::WalkSelection(int steps, CSqRectangle* r) {
    if (Selection.GetCount() != 1)
        return;
    CSqRectangle* selected = Selection.SelectedRects.front();
    bool skipGroups = Treemap != nullptr && Treemap->GetLayout().ContainerBordersOnly;
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
    } else if (steps < 0) {
        // The counted rectangles between r (first) and the selected one (left out).
        std::vector<CSqRectangle*> chain;
        CSqRectangle* rect = r;
        while (rect != nullptr && rect != selected) {
            if (counts(rect))
                chain.push_back(rect);
            rect = rect->Parent;
        }
        if (rect == nullptr)
            return; // r is not inside the selected rectangle
        size_t below = std::min(static_cast<size_t>(-static_cast<long>(steps)), chain.size());
        SelectOnly(below == 0 ? selected : chain[chain.size() - below]);
    }
}

void CBasicView::SelectOnly(CSqRectangle* rect) {
    Selection.Clear();
    Selection.Add(rect);
    UpdateStatus();
}

bool CBasicView::KeyDown(int keyCode) {
    if (Treemap == nullptr)
        return false;
    switch (keyCode) {
    case KeyBackspace:
    case 'r':
    case 'R':
        ResetView();
        break;
    case KeyEscape:
        Selection.Clear();
        UpdateStatus();
        break;
    case 'a':
    case 'A':
        Pan(0.1f, 0);
        break;
    case 'd':
    case 'D':
        Pan(-0.1f, 0);
        break;
    case 's':
    case 'S':
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
    bool zoomed = ZoomFactor != 1;
    PanX = PanY = 0;
    ZoomFactor = 1;
    ViewChanged = true;
    // The borders were computed for the old zoom.
    if (zoomed)
        RecomputeScreen();
}

void CBasicView::SelectParent() {
    if (Selection.GetCount() == 1 && Selection.SelectedRects.front()->Parent != nullptr)
        SelectOnly(Selection.SelectedRects.front()->Parent);
}

int CBasicView::FindElements(CElementFilter& filter) {
    if (Treemap == nullptr)
        return 0;
    filter.SearchProgram(Treemap->GetRoot()->Element);
    int count = 0;
    for (ISquarable* element : filter.Results) {
        CSqRectangle* rect = element->GetRect();
        if (rect == nullptr)
            continue;
        Selection.Add(rect);
        UpdateStatus();
        ++count;
    }
    UpdateStatus();
    return count;
}

void CBasicView::Refresh() {
    if (Host != nullptr)
        Host->RefreshCanvas();
}

void CBasicView::UpdateStatus() {
    if (Host != nullptr)
        Host->UpdateSelectionStatus(Selection.SelectedRects);
}

void CBasicView::Resize(int width, int height) {
    Width = width;
    Height = height;
    ViewChanged = true;
    // The border width is fixed in pixels, so it changes in view units with the width.
    if (Treemap != nullptr)
        RecomputeScreen();
}

void CBasicView::ReplaceSelection(const std::vector<CSqRectangle*>& rects) {
    Selection.Clear();
    for (CSqRectangle* rect : rects)
        Selection.Add(rect);
    UpdateStatus();
    Refresh();
}

void CBasicView::ShowStatus(const std::string& text) {
    if (Host != nullptr)
        Host->ShowStatusText(text);
}
