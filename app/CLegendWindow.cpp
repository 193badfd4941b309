#include "app/CLegendWindow.h"

#include <algorithm>
#include <cmath>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

const std::vector<CLegendWindow::CEntry>& CLegendWindow::Entries() {
    static const std::vector<CEntry> entries = {
        {"Program", &CLooksSettings::ProgramColor},
        {"Namespace", &CLooksSettings::NamespaceColor},
        {"Class", &CLooksSettings::ClassColor},
        {"Function", &CLooksSettings::FunctionColor},
        {"Method", &CLooksSettings::MethodColor},
        {"Variable", &CLooksSettings::VariableColor},
        {"Field", &CLooksSettings::FieldColor},
        {"Type", &CLooksSettings::TypeColor},
        {"Member type", &CLooksSettings::MemberTypeColor},
        {"Enumeration", &CLooksSettings::EnumColor},
        {"File", &CLooksSettings::FileColor},
        {"Namespace group", &CLooksSettings::NamespaceGroupColor},
        {"Function group", &CLooksSettings::FunctionGroupColor},
        {"Field group", &CLooksSettings::FieldGroupColor},
        {"Type group", &CLooksSettings::TypeGroupColor},
        {"File group", &CLooksSettings::FileGroupColor},
    };
    return entries;
}

CLegendWindow::CLegendWindow(wxWindow* parent)
    : wxFrame(parent, -1, "Legend", wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW | wxFRAME_FLOAT_ON_PARENT) {
    auto* panel = new wxPanel(this);
    auto* grid = new wxFlexGridSizer(2, 4, 8);
    for (const CEntry& entry : Entries()) {
        auto* swatch = new wxPanel(panel, -1, wxDefaultPosition, wxSize(32, 16), wxBORDER_SIMPLE);
        Swatches.push_back(swatch);
        grid->Add(swatch, wxSizerFlags().CenterVertical());
        grid->Add(new wxStaticText(panel, -1, entry.Name), wxSizerFlags().CenterVertical());
    }
    auto* border = new wxBoxSizer(wxVERTICAL);
    border->Add(grid, wxSizerFlags().Border(wxALL, 8));
    panel->SetSizer(border);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(panel, wxSizerFlags(1).Expand());
    SetSizerAndFit(top);
    Bind(wxEVT_CLOSE_WINDOW, &CLegendWindow::OnClose, this);
    ShowLooks(CLooksSettings());
}

void CLegendWindow::ShowLooks(const CLooksSettings& looks) {
    auto byte = [](float component) {
        return static_cast<unsigned char>(std::lround(std::clamp(component, 0.0f, 1.0f) * 255));
    };
    for (size_t i = 0; i < Swatches.size(); ++i) {
        const CColor& color = looks.*Entries()[i].Color;
        const wxColour colour(byte(color.Red), byte(color.Green), byte(color.Blue));
        if (Swatches[i]->GetBackgroundColour() != colour) {
            Swatches[i]->SetBackgroundColour(colour);
            Swatches[i]->Refresh();
        }
    }
}

void CLegendWindow::OnClose(wxCloseEvent& event) {
    if (event.CanVeto()) {
        event.Veto();
        Hide();
    } else {
        event.Skip();
    }
}
