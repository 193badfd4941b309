#pragma once

#include "view/IViewHost.h"

// The window stand-in of the command-line tool: a canvas of a fixed size whose repaints are
// drawn by hand, with no status bar and no popup menu.
class CHeadlessViewHost : public IViewHost {
public:
    // A canvas of width by height pixels.
    CHeadlessViewHost(int width, int height) : Width(width), Height(height) {}

    void SetView(CBasicView*) override {}
    void RefreshCanvas() override {}
    void GetViewSize(int& width, int& height) const override {
        width = Width;
        height = Height;
    }
    void UpdateSelectionStatus(const std::list<CSqRectangle*>&) override {}
    void ShowStatusText(const std::string&) override {}
    void ShowQueryPopup(const std::vector<const CQuery*>&, int, int) override {}

private:
    int Width;
    int Height;
};
