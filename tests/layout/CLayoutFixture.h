#pragma once

#include "app/CAppContext.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"
#include "support/CModelBuilder.h"

#include <functional>
#include <memory>

// Installs layout and looks settings as the application's current ones for its lifetime.
class CScopedSettings {
public:
    explicit CScopedSettings(const CLayoutSettings& layout = {}, const CLooksSettings& looks = {})
        : Layout(layout), Looks(looks) {
        CAppContext::SetSettings(&Layout, &Looks);
    }
    ~CScopedSettings() { CAppContext::SetSettings(nullptr, nullptr); }

    CLayoutSettings Layout;
    CLooksSettings Looks;
};

// A rectangle without an element, for laying out boxes by hand.
class CPlainRect : public CSqRectangle {
public:
    CPlainRect(float area, CSqRectangle* parent, CRectArea* treemap)
        : CSqRectangle(area, parent, treemap) {}
    ISquarable* GetElement() const override { return nullptr; }
    const char* GetClassName() const override { return "CPlainRect"; }
    const CColor& GetFrameColor(const CLooksSettings& looks) const override {
        return looks.SpareColor1;
    }
    const CColor* GetFillColor(const CLooksSettings&) const override { return nullptr; }
    bool DrawsChildren() const override { return true; }
};

// Calls visit for rect and every rectangle below it, parents first.
inline void ForEachRect(CSqRectangle* rect, const std::function<void(CSqRectangle*)>& visit) {
    visit(rect);
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children)
        ForEachRect(child.get(), visit);
}

// The border of a view 800 pixels wide at zoom 1: 5 pixels in view units.
inline float DefaultBorder() {
    CFixedViewUnits view(800);
    return view.ToViewX(5) - view.ToViewX(0);
}
