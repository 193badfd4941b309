#pragma once

#include "import/IProgress.h"

#include <memory>
#include <wx/dialog.h>

class wxButton;
class wxCommandEvent;
class wxGauge;
class wxStaticText;
class wxWindowDisabler;

// The small window that shows what a load is doing: one line of text, a bar from 0 to 100 and
// a Cancel button. Shown without being modal; the load runs on the user-interface thread
// without an event loop, so every change repaints the dialog at once, and the button's click
// is handled when the load asks whether it was cancelled.
class CProgressDlg : public wxDialog, public IProgress {
public:
    CProgressDlg();
    ~CProgressDlg() override;

    // Shows text, then repaints.
    void SetMessage(const char* text) override;
    int GetValue() const override;
    void SetValue(int value) override;
    // Repaints the dialog and its children now: handles the toolkit's pending painting and
    // sizing events (not the user's input) when an event loop is running.
    void Refresh() override;
    // Handles the user's pending input (other windows take none while the load asks) and
    // returns whether Cancel was pressed (or Escape).
    bool IsCancelled() override;
    // Hiding the dialog ends the load: the other windows take input again.
    bool Show(bool show = true) override;

    wxGauge* Gauge;         // child window, destroyed with the dialog
    wxStaticText* Label;    // child window, destroyed with the dialog
    wxButton* CancelButton; // child window, destroyed with the dialog

private:
    void OnCancel(wxCommandEvent& event);

    bool Cancelled = false;
    // While the load asks about cancelling: keeps the user's input away from the other windows,
    // whose commands must not run in the middle of a load.
    std::unique_ptr<wxWindowDisabler> Disabler;
};
