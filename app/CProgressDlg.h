#pragma once

#include "import/IProgress.h"

#include <wx/dialog.h>

class wxGauge;
class wxStaticText;

// The small window that shows what a load is doing: one line of text and a bar from 0 to
// 100. Shown without being modal; the load runs on the user-interface thread without an event
// loop, so every change repaints the dialog at once.
class CProgressDlg : public wxDialog, public IProgress {
public:
    CProgressDlg();

    // Shows text, then repaints.
    void SetMessage(const char* text) override;
    int GetValue() const override;
    void SetValue(int value) override;
    // Repaints the dialog and its children now: handles the toolkit's pending painting and
    // sizing events (not the user's input) when an event loop is running.
    void Refresh() override;

    wxGauge* Gauge;      // child window, destroyed with the dialog
    wxStaticText* Label; // child window, destroyed with the dialog
};
