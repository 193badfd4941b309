#pragma once

#include "import/LoadProgram.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CProgram.h"
#include "render/CBasicView.h"
#include "render/IViewHost.h"
#include "render/SelectionStatus.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A window stand-in that records what the view asks of it.
class CRecordingViewHost : public IViewHost {
public:
    struct Popup {
        std::vector<CQuery*> Queries;
        int X, Y;
    };

    CRecordingViewHost(int width, int height) : Width(width), Height(height) {}

    void SetView(CBasicView* view) override { View = view; }
    void RefreshCanvas() override { ++Refreshes; }
    void GetViewSize(int& width, int& height) const override {
        width = Width;
        height = Height;
    }
    void UpdateSelectionStatus(const std::list<CSqRectangle*>& selection) override {
        Status = SelectionStatusText(selection);
        ++StatusUpdates;
    }
    void ShowStatusText(const std::string& text) override { Status = text; }
    void ShowQueryPopup(const std::vector<CQuery*>& queries, int x, int y) override {
        Popups.push_back({queries, x, y});
    }

    int Width, Height;
    CBasicView* View = nullptr; // borrowed: the registered view
    int Refreshes = 0;
    int StatusUpdates = 0;
    std::string Status;
    std::vector<Popup> Popups;
};

// The front-end output of the small class hierarchy made for these tests.
inline std::unique_ptr<CProgram> LoadRelations() {
    return LoadProgram(QUARN_BINARY_DIR "/fixtures/relations.xml", nullptr);
}

// Calls visit for rect and every rectangle below it, parents first.
inline void VisitRects(CSqRectangle* rect, const std::function<void(CSqRectangle*)>& visit) {
    visit(rect);
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children)
        VisitRects(child.get(), visit);
}

// The first rectangle (parents first) of the class className whose element is named name;
// null when there is none.
inline CSqRectangle* FindRect(const CBasicView& view, const std::string& className,
                              const std::string& name) {
    CSqRectangle* found = nullptr;
    VisitRects(view.GetTreemap()->GetRoot(), [&](CSqRectangle* rect) {
        if (found == nullptr && className == rect->GetClassName() &&
            rect->GetElement() != nullptr && rect->GetElement()->GetName() == name)
            found = rect;
    });
    return found;
}

// A window pixel of a width x height canvas at which the view finds exactly rect: the one
// nearest the middle of all such pixels. False when rect shows at no pixel.
inline bool PixelOn(const CBasicView& view, const CSqRectangle* rect, int width, int height,
                    int& px, int& py) {
    std::vector<std::pair<int, int>> hits;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float vx, vy;
            view.ToView(static_cast<float>(x), static_cast<float>(y), vx, vy);
            if (view.GetTreemap()->GetRoot()->FindAt(vx, vy) == rect)
                hits.emplace_back(x, y);
        }
    }
    if (hits.empty())
        return false;
    double mx = 0, my = 0;
    for (const auto& hit : hits) {
        mx += hit.first;
        my += hit.second;
    }
    mx /= static_cast<double>(hits.size());
    my /= static_cast<double>(hits.size());
    auto best = hits.front();
    for (const auto& hit : hits) {
        if (std::hypot(hit.first - mx, hit.second - my) <
            std::hypot(best.first - mx, best.second - my))
            best = hit;
    }
    px = best.first;
    py = best.second;
    return true;
}

// Whether rect is in list.
inline bool Contains(const std::list<CSqRectangle*>& list, const CSqRectangle* rect) {
    for (const CSqRectangle* entry : list) {
        if (entry == rect)
            return true;
    }
    return false;
}
