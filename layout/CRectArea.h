#pragma once

#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <memory>

class CProgram;
class CProgramRect;
class IViewUnits;

// The treemap: the rectangle tree laid out for one program and one view, with its own copies
// of the layout and looks settings, which everything inside the tree reads.
//
// Destroying a rectangle clears its element's Rect when that still names the rectangle, so
// after the treemap is gone no element or group points into it. The program must therefore
// outlive its treemap.
class CRectArea {
public:
    // Copies the application's current settings and lays out the whole tree: the root in
    // (0, 0) - (2, 2), every element's rectangles below it, then the screen boxes and the
    // cushions. program (sized by ComputeSize) and view are borrowed; neither may be null, and
    // view must outlive the treemap.
    CRectArea(CProgram* program, IViewUnits* view);
    CRectArea(const CRectArea&) = delete;
    CRectArea& operator=(const CRectArea&) = delete;
    // Destroys the tree.
    virtual ~CRectArea();

    // Replaces the looks copy and recomputes the screen boxes and cushions; the layout boxes
    // stay.
    void SetLooks(CLooksSettings looks);
    // The treemap's copies of the settings.
    const CLooksSettings& GetLooks() const { return Looks; }
    const CLayoutSettings& GetLayout() const { return Layout; }
    // The view the tree was built for (borrowed).
    IViewUnits* GetView() const { return View; }
    // The root rectangle, owned by the treemap.
    CProgramRect* GetRoot() const { return Root.get(); }
    // The border width, DynamicBorderWidth pixels in view units at the view's current zoom:
    // X(d) - X(0).
    float GetBorderWidth() const;

private:
    std::unique_ptr<CProgramRect> Root; // owned
    IViewUnits* View;                   // borrowed
    CLooksSettings Looks;
    CLayoutSettings Layout;
};
