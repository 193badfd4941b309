#include "app/CProgressDlg.h"

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/utils.h>

CProgressDlg::CProgressDlg() {
    Create(nullptr, -1, "Loading...", wxDefaultPosition, wxSize(360, 110),
           wxCAPTION | wxSYSTEM_MENU);
    Label = new wxStaticText(this, -1, "", wxPoint(5, 5), wxSize(345, 45),
                             wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
    Gauge = new wxGauge(this, -1, 100, wxPoint(10, 25), wxSize(330, 20), wxGA_SMOOTH);
    CancelButton = new wxButton(this, wxID_CANCEL, "Cancel", wxPoint(250, 55));
    CancelButton->Bind(wxEVT_BUTTON, &CProgressDlg::OnCancel, this);
    SetEscapeId(wxID_CANCEL);
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::SetMessage(const char* text) {
    Label->SetLabel(wxString::FromUTF8(text));
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

bool CProgressDlg::IsCancelled() {
    if (IsShown()) {
        if (Disabler == nullptr)
            Disabler = std::make_unique<wxWindowDisabler>(this);
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
            loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
    }
    return Cancelled;
}

bool CProgressDlg::Show(bool show) {
    if (!show)
        Disabler.reset();
    return wxDialog::Show(show);
}

void CProgressDlg::OnCancel(wxCommandEvent&) {
    Cancelled = true;
    CancelButton->Disable();
    Label->SetLabel("Cancelling...");
}
