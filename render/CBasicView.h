#pragma once

#include "layout/CRectArea.h"
#include "layout/IViewUnits.h"
#include "model/IQueryTarget.h"
#include "render/IObserver.h"
#include "render/RectSelection.h"
#include "render/RelationArrow.h"

#include <GL/gl.h>
#include <list>
#include <memory>
#include <vector>

class CElementFilter;
class CQuery;
class CSqRectangle;
class CViewData;
class IViewHost;

// What a click selects, by the selection mode of the Selection menu.
enum SelectModeCode : int {
    SelectClass = 0, // the class declaring the clicked element
    SelectGroup = 1, // the group rectangle holding the clicked rectangle
    SelectFile = 2,  // the file declaring the clicked element
    SelectNone = 3,  // the clicked rectangle itself
};

// The view: turns the view data's program into a treemap and pixels, and mouse and key input
// into selection, highlighting, zoom and pan. It knows no window toolkit: it draws with the
// current OpenGL context and reaches its window through an IViewHost. The tree is rendered
// once into the back buffer (through a display list when the looks say so) and saved as a
// snapshot; later repaints copy the snapshot back and draw only the overlay (the selected and
// highlighted rectangles, lit, and the arrows of the class relations).
//
// Positions are window pixels (origin top left, y down); view coordinates span -1 ... 1 on
// both axes at zoom 1 with y up.
class CBasicView : public IObserver, public IViewUnits, public IQueryTarget {
public:
    // Key codes KeyDown acts on besides the letters a, d, r, s and w (either case): the
    // toolkit's codes for Backspace, Escape and the Up arrow key.
    static constexpr int KeyBackspace = 8;
    static constexpr int KeyEscape = 27;
    static constexpr int KeyUp = 315;

    // A view without data in the window host (borrowed; may be null for no window, and
    // must outlive the view or be unset with SetHost first). Registers itself with the host
    // and becomes the target of the class queries.
    explicit CBasicView(IViewHost* host);
    // Unregisters from the host, the queries and the observed data; destroys the treemap (the
    // program must still exist).
    virtual ~CBasicView();
    CBasicView(const CBasicView&) = delete;
    CBasicView& operator=(const CBasicView&) = delete;

    // Replaces the host (borrowed; null for none) without registering with it: a host that is
    // destroyed before the view unsets itself this way.
    void SetHost(IViewHost* host) { Host = host; }

    // IObserver. SetViewData observes data (borrowed, may be null): attaches to it (and
    // detaches from the data observed before) and rebuilds.
    void SetViewData(CViewData* data) override;
    // Forgets data and its tree, detaches from it and repaints; nothing when data is not the
    // observed data.
    void ReleaseViewData(CViewData* data) override;
    // Rebuilds from the observed data.
    void Update() override;
    // Rebuilds; the new treemap copies the application's current layout settings (the
    // argument is not read).
    void SetLayoutSettings(CLayoutSettings settings) override;
    // Gives the treemap the looks (new borders and cushions, same layout, selection and
    // zoom), marks the tree image dirty and repaints.
    void SetLooksSettings(CLooksSettings looks) override;

    // Drops the selection, the hover, the highlights, the arrows and the treemap, resets zoom
    // and pan, and builds a new treemap of the observed program (none without one).
    virtual void Rebuild();
    // Paints: with a treemap, either renders the tree and saves it (when dirty or the view
    // changed) or copies the saved image back, then draws the overlay. Called between the
    // canvas's clear and its buffer swap, with its context current.
    virtual void Draw();
    // The mouse moved to (px, py); (-1, -1) means it left the canvas. Highlights the
    // rectangle under it and its relations instead of the previous one's, and repaints when
    // that changed.
    virtual void MouseMove(int px, int py);
    // Toggles the rectangle that a click at (px, py) resolves to (Resolve) in the selection,
    // updates the status and repaints.
    virtual void LeftClick(int px, int py);
    // Shows the popup menu of the queries that apply to the selection, when there are any.
    virtual void RightClick(int px, int py);
    // The wheel turned steps notches at (px, py) (positive away from the user): zooms, or with
    // the control key down walks the selection up or down the tree towards the rectangle
    // under the mouse. Repaints.
    virtual void MouseWheel(int steps, int px, int py, bool controlDown);
    // Pans by the view distance between the two positions; repaints.
    virtual void Drag(int fromX, int fromY, int toX, int toY);
    // Acts on a key (the codes above and the letters); returns whether the key was used. Every key
    // is unused without a treemap.
    virtual bool KeyDown(int keyCode);
    // Asks the host to repaint.
    virtual void Refresh();
    // Shows the selection in the host's status bar.
    virtual void UpdateStatus();
    // The canvas is now width by height pixels: the tree image is rendered again at the next
    // paint, with the borders recomputed for the new width.
    virtual void Resize(int width, int height);

    // The view position of window position (px, py), at the current zoom and pan.
    void ToView(float px, float py, float& x, float& y) const;
    // IViewUnits: the view x of window column px.
    float ToViewX(float px) const override;
    // Writes the "Query" log entry (the description, tagged with the name) and runs query
    // (borrowed) on the selection.
    void RunQuery(CQuery* query);
    // Runs filter over the program and adds the rectangle of every element found to the
    // selection (the selection is not cleared first); updates the status. Returns the number
    // of rectangles added; 0 without a treemap.
    int FindElements(CElementFilter& filter);
    // With exactly one selected rectangle that has a parent: selects the parent instead.
    void SelectParent();
    // With exactly one selected rectangle s: selects the rectangle steps levels above s
    // (steps > 0), or -steps levels below s on the way down to r (steps < 0; nothing when r
    // is not inside s). Group rects do not count as levels when the layout draws borders on
    // containers only.
    void WalkSelection(int steps, CSqRectangle* r);
    // Zooms in (steps > 0) or out keeping the point under (px, py) in place; the zoom never
    // goes below 1, and zooming out pulls the view back inside the tree. Recomputes the
    // borders (fixed in pixels) and cushions.
    void Zoom(int steps, int px, int py);
    // Renders the whole tree at the current zoom and pan with the frame's lighting; through
    // the display list when the looks say so, recording it anew when rebuild is true.
    void RenderTree(bool rebuild);
    // Saves the colour buffer being drawn (the back buffer, or the bound framebuffer object)
    // as the snapshot, Width x Height RGBA.
    void SaveSnapshot();
    // Draws the selected, then the highlighted rectangles lit, then the arrows.
    void DrawOverlay();
    // The rectangle a click at view position (x, y) stands for in the current selection mode;
    // null when there is none (or no treemap).
    CSqRectangle* Resolve(float x, float y) const;

    // IQueryTarget: makes rects the selection, updates the status and repaints.
    void ReplaceSelection(const std::vector<CSqRectangle*>& rects) override;
    // IQueryTarget: shows text in the host's status bar.
    void ShowStatus(const std::string& text) override;

    // The selection mode (SelectModeCode); SelectNone at first.
    int GetSelectMode() const { return SelectMode; }
    void SetSelectMode(int mode) { SelectMode = mode; }
    // Marks the tree image for rendering anew (and the display list for recording) at the
    // next paint, for instance after another fragment program was bound.
    void SetDirty() { Dirty = true; }
    bool IsDirty() const { return Dirty; }
    bool IsViewChanged() const { return ViewChanged; }

    // State, for the window and for tests. Pointers are borrowed.
    CRectArea* GetTreemap() const { return Treemap.get(); }
    CViewData* GetViewData() const { return ViewData; }
    CSqRectangle* GetHover() const { return Hover; }
    const RectSelection& GetSelection() const { return Selection; }
    const std::list<RelationArrow>& GetArrows() const { return Arrows; }
    float GetZoomFactor() const { return ZoomFactor; }
    float GetPanX() const { return PanX; }
    float GetPanY() const { return PanY; }
    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }
    // The saved tree image (empty before the first paint).
    const std::vector<unsigned char>& GetSnapshot() const { return Snapshot; }
    // How often the whole tree has been rendered since the view was made.
    int GetTreeRenders() const { return TreeRenders; }

private:
    // Sets the model-view matrix to the zoom and pan.
    void LoadViewMatrix() const;
    // Recomputes the screen boxes (the border width follows the zoom and the width) and the
    // cushions, and marks the tree image dirty.
    void RecomputeScreen();
    // Resets zoom and pan to the whole tree.
    void ResetView();
    // Pans by (dx, dy) view units; the image is rendered again.
    void Pan(float dx, float dy);
    // Makes rect the only selected rectangle and updates the status.
    void SelectOnly(CSqRectangle* rect);
    // Draws one arrow of the class relations.
    static void DrawArrow(const RelationArrow& arrow);

    IViewHost* Host;                    // borrowed; null without a window
    CSqRectangle* Hover = nullptr;      // borrowed: the rectangle under the mouse
    CViewData* ViewData = nullptr;      // borrowed: the observed data
    std::unique_ptr<CRectArea> Treemap; // owned; null without data
    std::list<RelationArrow> Arrows;    // arrows of the class relations shown
    GLuint DisplayList = 0;             // 0 until the first list is recorded
    RectSelection Selection{&Arrows};
    int SelectMode = SelectNone;
    float ZoomFactor = 1;
    float PanX = 0;
    float PanY = 0;
    bool Dirty = true;        // the tree image must be rendered and the list recorded again
    bool ViewChanged = false; // the tree image must be rendered again
    std::vector<unsigned char> Snapshot; // the saved tree image, RGBA
    int Width = 0;
    int Height = 0;
    int TreeRenders = 0;
};
