#pragma once

#include "layout/CRectArea.h"
#include "layout/IViewUnits.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"
#include "view/CCamera.h"
#include "view/CQuery.h"
#include "view/CSelectionController.h"
#include "view/IObserver.h"
#include "view/IQueryTarget.h"

#include <memory>
#include <vector>

class CElementFilter;
class ISquarable;
class CLogFile;
class CSqRectangle;
class CViewData;
class IViewHost;

// The view: turns the view data's program into a treemap, and mouse and key input into
// selection, highlighting, zoom and pan (a camera and a selection controller). It knows no
// window toolkit and no OpenGL: it reaches its window through an IViewHost, and a renderer
// draws what it holds. The renderer keeps an image of the whole tree; the view's versions tell
// it when that image must be drawn again (GetViewVersion: the camera moved) and when it must
// also be recorded again (GetTreeVersion: the tree, its looks or its borders changed).
//
// Positions are window pixels (origin top left, y down); view coordinates span -1 ... 1 on
// both axes at zoom 1 with y up.
class CBasicView : public IObserver, public IViewUnits, public IQueryTarget {
public:
    // Key codes KeyDown acts on besides the letters a, d, r, s and w (either case) and the
    // characters + and -: the toolkit's codes for Backspace, Escape, Home, the arrow keys and
    // the keypad's + and -.
    static constexpr int KeyBackspace = 8;
    static constexpr int KeyEscape = 27;
    static constexpr int KeyHome = 313;
    static constexpr int KeyLeft = 314;
    static constexpr int KeyUp = 315;
    static constexpr int KeyRight = 316;
    static constexpr int KeyDownArrow = 317;
    static constexpr int KeyPadPlus = 388;
    static constexpr int KeyPadMinus = 390;
    // The modifier bits KeyDown looks at, as the toolkit sets them.
    static constexpr int ModAlt = 1;
    static constexpr int ModControl = 2;

    // A view without data in the window host (borrowed; may be null for no window, and must
    // outlive the view or be unset with SetHost first), which it registers with. log (borrowed)
    // hears of the queries run.
    CBasicView(IViewHost* host, CLogFile& log);
    // Unregisters from the host and the observed data; destroys the treemap (the program must
    // still exist).
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
    // Keeps the layout settings for every tree from now on and rebuilds.
    void SetLayoutSettings(CLayoutSettings settings) override;
    // Keeps the looks and gives them to the treemap (new borders and cushions, same layout,
    // selection and zoom), then repaints.
    void SetLooksSettings(CLooksSettings looks) override;

    // Drops the selection, the hover, the highlights, the arrows and the treemap, resets zoom
    // and pan and forgets their history, builds a new treemap of the observed program (none without
    // one) and shows the empty selection in the status bar.
    void Rebuild();
    // The mouse moved to (px, py); (-1, -1) means it left the canvas. Highlights the
    // rectangle under it and its relations instead of the previous one's, and when that
    // changed shows its description in the status bar (the selection's when there is none
    // under it) and its tooltip (HoverTipText), and repaints.
    void MouseMove(int px, int py);
    // Toggles the rectangle that a click at (px, py) resolves to (Resolve) in the selection,
    // updates the status and repaints.
    void LeftClick(int px, int py);
    // The second press of a double click at (px, py): selects the rectangle the click
    // resolves to (the first press may have toggled it off) and zooms to it, or else to the one
    // under the mouse (ZoomToRect).
    void DoubleClick(int px, int py);
    // Shows the popup menu of the queries that apply to the selection, when there are any.
    void RightClick(int px, int py);
    // The wheel turned steps notches at (px, py) (positive away from the user): zooms, or with
    // the control key down walks the selection up or down the tree towards the rectangle
    // under the mouse. Repaints.
    void MouseWheel(int steps, int px, int py, bool controlDown);
    // Pans by the view distance between the two positions; repaints. The drags until EndDrag
    // make one step of the camera's history.
    void Drag(int fromX, int fromY, int toX, int toY);
    // The drag has ended (the middle button was released or the mouse left).
    void EndDrag() { DragStep = false; }
    // Acts on a key (the codes above and the characters) with the modifier bits given;
    // returns whether the key was used. Alt+Left and Alt+Right step back and forward through
    // the camera's history; other keys with Alt or Control are left to the menus. Every key is
    // unused without a treemap.
    bool KeyDown(int keyCode, int modifiers = 0);
    // Asks the host to repaint.
    void Refresh();
    // Shows the selection in the host's status bar.
    void UpdateStatus();
    // The canvas is now width by height pixels: the tree is drawn again at the next paint, with
    // the borders recomputed for the new width.
    void Resize(int width, int height);

    // The view position of window position (px, py), at the current zoom and pan.
    void ToView(float px, float py, float& x, float& y) const;
    // IViewUnits: the view x of window column px.
    float ToViewX(float px) const override;
    // Writes the "Query" log entry (the description, tagged with the name) and runs query
    // (borrowed) on the selection.
    void RunQuery(const CQuery* query);
    // The queries that apply to the selection: the sub class query, then the super class
    // query, when it is a class selection; none otherwise. Owned by the view.
    std::vector<const CQuery*> GetApplicableQueries() const;
    // Runs filter over the program and adds the rectangle of every element found to the
    // selection unless it is selected already (the selection is not cleared first); updates
    // the status. Returns the number of elements found that have a rectangle; 0 without a
    // treemap.
    int FindElements(CElementFilter& filter);
    // With exactly one selected rectangle that has a parent: selects the parent instead.
    void SelectParent();
    // With exactly one selected rectangle s: selects the rectangle steps levels above s
    // (steps > 0), or -steps levels below s on the way down to r (steps < 0). Group rects do
    // not count as levels when the layout draws borders on containers only.
    void WalkSelection(int steps, CSqRectangle* r);
    // Zooms in (steps > 0) or out keeping the point under (px, py) in place (CCamera), and
    // recomputes the borders (fixed in pixels) and cushions.
    void Zoom(int steps, int px, int py);
    // Zooms and pans so that rect (of the current tree; null: nothing) fills the view, its
    // border included, and recomputes the borders; repaints.
    void ZoomToRect(CSqRectangle* rect);
    // Makes the rectangle of element the only selected one and zooms to it; false when
    // element has no rectangle (or there is no treemap).
    bool ShowElement(const ISquarable* element);
    // Moves the camera one step back or forward in its history (CCamera::Back, Forward) and
    // repaints; false when there is no such step.
    bool StepBack();
    bool StepForward();
    // The rectangle a click at view position (x, y) stands for in the current selection mode;
    // null when there is none (or no treemap).
    CSqRectangle* Resolve(float x, float y) const;

    // IQueryTarget: makes rects the selection, updates the status and repaints.
    void ReplaceSelection(const std::vector<CSqRectangle*>& rects) override;
    // IQueryTarget: shows text in the host's status bar.
    void ShowStatus(const std::string& text) override;

    // The selection mode (SelectModeCode); SelectNone at first.
    int GetSelectMode() const { return Controller.SelectMode; }
    void SetSelectMode(int mode) { Controller.SelectMode = mode; }
    // Has the tree recorded anew at the next paint, for instance after another fragment
    // program was bound.
    void SetDirty() { ++TreeVersion; }

    // State, for the renderer, the window and tests. Pointers are borrowed.
    CRectArea* GetTreemap() const { return Treemap.get(); }
    CViewData* GetViewData() const { return ViewData; }
    CSqRectangle* GetHover() const { return Controller.Hover; }
    const RectSelection& GetSelection() const { return Controller.Selection; }
    const CCamera& GetCamera() const { return Camera; }
    const CLooksSettings& GetLooks() const { return Looks; }
    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }
    unsigned GetTreeVersion() const { return TreeVersion; }
    unsigned GetViewVersion() const { return ViewVersion; }

private:
    // The canvas size positions are measured against: the host's, else the last Resize's.
    void ViewSize(int& width, int& height) const;
    // Recomputes the screen boxes (the border width follows the zoom and the width) and the
    // cushions; the tree is recorded again.
    void RecomputeScreen();
    // Resets zoom and pan to the whole tree.
    void ResetView();
    // Pans by (dx, dy) view units; the tree is drawn again.
    void Pan(float dx, float dy);
    // Makes the camera's position a step of its history.
    void Remember();
    // The camera moved from zoom factor oldZoom: the tree is drawn again, and the borders are
    // recomputed when the zoom changed.
    void CameraMoved(float oldZoom);

    IViewHost* Host; // borrowed; null without a window
    CLogFile& Log;
    CViewData* ViewData = nullptr;      // borrowed: the observed data
    std::unique_ptr<CRectArea> Treemap; // owned; null without data
    CLayoutSettings Layout;
    CLooksSettings Looks;
    CCamera Camera;
    CSelectionController Controller;
    CQuery SubClasses = CQuery::SubClassQuery();
    CQuery SuperClasses = CQuery::SuperClassQuery();
    unsigned TreeVersion = 0; // changes whenever the tree must be recorded again
    unsigned ViewVersion = 0; // changes whenever the tree must be drawn again
    bool DragStep = false;    // a drag under way has made its step of the camera's history
    int Width = 0;
    int Height = 0;
};
