#include "app/CProgressDlg.h"

#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

CProgressDlg::CProgressDlg() {
    Create(nullptr, -1, "Loading...", wxDefaultPosition, wxSize(200, 70),
           wxCAPTION | wxSYSTEM_MENU);
    Label = new wxStaticText(this, -1, "", wxPoint(5, 5), wxSize(185, 45), 0);
    Gauge = new wxGauge(this, -1, 100, wxPoint(10, 15), wxSize(170, 20), wxGA_SMOOTH);
}

void CProgressDlg::SetMessage(const char* text) {
    Label->SetLabel(text);
    Refresh();
}

int CProgressDlg::GetValue() const {
    return Gauge->GetValue();
}

void CProgressDlg::SetValue(int value) {
    Gauge->SetValue(value);
}

void CProgressDlg::Refresh() {
    wxDialog::Refresh(true, nullptr);
    // The load runs inside a command handler, so the event loop does not get to map or paint
    // the dialog until it is over. Update waits for the display to catch up (and paints when
    // the dialog is already mapped); then the pending user-interface events (mapping, sizing,
    // painting) are handled, while the user's input waits until the load has ended; the
    // second Update paints what is still pending.
    Update();
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI);
    Update();
}
