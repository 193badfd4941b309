#pragma once

#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

class CViewData;

// Something that shows the view data's program (the view) and must rebuild when the program
// or the settings change.
class IObserver {
public:
    // data (borrowed, may be null) becomes the observed data; the observer rebuilds from it.
    virtual void SetViewData(CViewData* data) = 0;
    // data is about to lose its program: the observer drops its pointer to data and
    // everything it built from the program, before the program is destroyed.
    virtual void ReleaseViewData(CViewData* data) = 0;
    // The observed data changed. Does nothing by default.
    virtual void Update() {}
    // The layout settings changed (the application's current ones are already replaced). Does
    // nothing by default.
    virtual void SetLayoutSettings(CLayoutSettings) {}
    // The looks settings changed. Does nothing by default.
    virtual void SetLooksSettings(CLooksSettings) {}

protected:
    ~IObserver() = default; // never deleted through this interface
};
