#pragma once

#include <list>
#include <string>
#include <vector>

class CBasicView;
class CQuery;
class CSqRectangle;

// The window a view shows itself in: its canvas, its size and its status bar. The desktop
// main window implements it; the command-line tool and tests have windowless ones.
class IViewHost {
public:
    // The view registers itself when it is made (view) and unregisters when it is destroyed
    // (null), so that the host can forward its canvas's events to it. view is borrowed.
    virtual void SetView(CBasicView* view) = 0;
    // Asks the canvas to repaint (erasing the background, the whole canvas); the repaint
    // calls the view's Draw later.
    virtual void RefreshCanvas() = 0;
    // The client width and height in pixels that window positions are measured against.
    virtual void GetViewSize(int& width, int& height) const = 0;
    // Shows the selection (borrowed rectangles of the view's tree) in the status bar; the
    // desktop window shows SelectionStatusText.
    virtual void UpdateSelectionStatus(const std::list<CSqRectangle*>& selection) = 0;
    // Shows text in the status bar.
    virtual void ShowStatusText(const std::string& text) = 0;
    // Shows text as the tooltip the pointer brings up after a short rest on the canvas; empty
    // text takes the tooltip away. Windowless hosts show nothing.
    virtual void ShowHoverTip(const std::string& text) { (void)text; }
    // Shows the popup menu of queries (borrowed; never empty) at window position (x, y) and
    // returns when it is closed; a chosen query is passed to the view's RunQuery.
    virtual void ShowQueryPopup(const std::vector<const CQuery*>& queries, int x, int y) = 0;

protected:
    ~IViewHost() = default; // never deleted through this interface
};
