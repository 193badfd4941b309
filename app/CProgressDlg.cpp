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
    // The load runs inside a command handler: the event loop gets no chance to map or paint
    // the dialog until the load is over. Update flushes the display connection (and paints a
    // mapped dialog); YieldFor handles the pending user-interface events (mapping, sizing,
    // painting) and leaves the user's input for later; the second Update paints the rest.
    Update();
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI);
    Update();
}
