#pragma once

#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <memory>
#include <unordered_map>
#include <vector>

class CProgram;
class CProgramRect;
class CSqRectangle;
class ISquarable;
class IViewUnits;

// The treemap: the rectangle tree laid out for one program and one view, with its own copies
// of the layout and looks settings, which everything inside the tree reads, and the rectangle
// each element was laid out in. The program must outlive its treemap.
class CRectArea {
public:
    // Copies the settings and lays out the whole tree (CTreemapBuilder): the root in (0, 0) -
    // (2, 2), every element's rectangles below it; the screen boxes and cushions follow when asked
    // for. program (sized) and view are borrowed; view must outlive the treemap.
    CRectArea(CProgram& program, const IViewUnits& view, const CLayoutSettings& layout,
              const CLooksSettings& looks);
    CRectArea(const CRectArea&) = delete;
    CRectArea& operator=(const CRectArea&) = delete;
    // Destroys the tree.
    ~CRectArea();

    // Replaces the looks copy and, when the border width or the cushions' shape changed,
    // invalidates the screen boxes and cushions (ComputeScreen); the layout boxes stay.
    void SetLooks(const CLooksSettings& looks);
    // Invalidates the screen boxes and cushions: each rectangle's are computed again, with the
    // border width of the view's zoom and size now, when next asked for.
    void ComputeScreen();
    // Counts the invalidations; a rectangle's screen box is up to date when computed for the
    // current count.
    unsigned long long GetScreenVersion() const { return ScreenVersion; }
    // The border width the screen boxes are computed with: GetBorderWidth() at the last
    // invalidation.
    float GetScreenBorder() const { return ScreenBorder; }
    // The ridge height of a cushion at depth: CushionH * CushionF^depth, each computed once per
    // invalidation.
    float GetRidgeHeight(int depth) const;
    // The treemap's copies of the settings.
    const CLooksSettings& GetLooks() const { return Looks; }
    const CLayoutSettings& GetLayout() const { return Layout; }
    // The program the tree was laid out for (borrowed).
    CProgram& GetProgram() const { return Program; }
    // The root rectangle, owned by the treemap.
    CProgramRect* GetRoot() const { return Root.get(); }
    // The border width, DynamicBorderWidth pixels in view units at the view's current zoom:
    // X(d) - X(0).
    float GetBorderWidth() const;
    // The rectangle the element was laid out in (an element that is a member of a scope, a
    // file or the program); null when it has none. Argument types drawn inside functions do
    // not count.
    CSqRectangle* RectOf(const ISquarable* element) const;
    // Records rect as the element's rectangle (the builder does, as it lays elements out).
    void SetRectOf(const ISquarable* element, CSqRectangle* rect);

private:
    CProgram& Program;                                          // borrowed
    const IViewUnits& View;                                     // borrowed
    CLooksSettings Looks;                                       //
    CLayoutSettings Layout;                                     //
    std::unordered_map<const ISquarable*, CSqRectangle*> Rects; // borrowed rectangles
    std::unique_ptr<CProgramRect> Root;                         // owned
    unsigned long long ScreenVersion = 0;
    float ScreenBorder = 0;
    mutable std::vector<float> RidgeHeights; // by depth, as far as asked for
};
