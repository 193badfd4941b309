#include "app/CPrefDlg.h"

#include "settings/SettingsFile.h"
#include "view/CBasicView.h"

#include <cmath>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

enum ControlId {
    SaveId = 3,
    FileGroupId = 4,
    ArgGroupId = 5,
    ChildFactorId = 6,
    BorderWidthId = 7,
    GroupItemsId = 8,
    ContainerBordersId = 9,
    CushionFId = 10,
    CushionHId = 11,
    LightIntensityId = 12,
    LightAmbientId = 13,
    PixelShaderId = 14,
    LightXId = 15,
    LightYId = 16,
    LabelsId = 17,
    LabelSizeId = 18,
};

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(CPrefDlg, wxDialog)
    EVT_COMMAND(BorderWidthId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(CushionFId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(CushionHId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(LightIntensityId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(LightAmbientId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(LightXId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(LightYId, wxEVT_SLIDER, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(PixelShaderId, wxEVT_CHECKBOX, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(LabelsId, wxEVT_CHECKBOX, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(LabelSizeId, wxEVT_SPINCTRL, CPrefDlg::OnLiveUpdate)
    EVT_COMMAND(SaveId, wxEVT_BUTTON, CPrefDlg::OnSaveSettings)
    EVT_ACTIVATE(CPrefDlg::OnActivate)
wxEND_EVENT_TABLE();
// clang-format on

// A setting shows at the slider position nearest to it (clamped to the slider's range); a
// position stands for its step exactly, as near as single precision comes.
int CPrefDlg::NearestPosition(double scaled) {
    if (!(scaled > 0)) // zero, below or not a number
        return 0;
    return scaled >= 100 ? 100 : static_cast<int>(std::lround(scaled));
}
int CPrefDlg::AreaPosition(float factor) {
    return NearestPosition(factor * 100.0);
}
int CPrefDlg::BorderPosition(float width) {
    return NearestPosition(width * 10000.0);
}
int CPrefDlg::CushionPosition(float value) {
    return NearestPosition(value * 10.0);
}
int CPrefDlg::LightPosition(float value) {
    return NearestPosition(value * 20.0);
}
int CPrefDlg::DirectionPosition(float value) {
    return NearestPosition((value + 1.0) * 50.0);
}

float CPrefDlg::AreaValue(int position) {
    return static_cast<float>(position) / 100.0f;
}
float CPrefDlg::BorderValue(int position) {
    return static_cast<float>(position) / 10000.0f;
}
int CPrefDlg::BorderPixels(int position) {
    return position / 10;
}
float CPrefDlg::CushionValue(int position) {
    return static_cast<float>(position) / 10.0f;
}
float CPrefDlg::LightValue(int position) {
    return static_cast<float>(position) / 20.0f;
}
float CPrefDlg::DirectionValue(int position) {
    return static_cast<float>(position - 50) / 50.0f;
}

CPrefDlg::CPrefDlg(wxWindow* parent, IMessageBox& messages)
    : wxDialog(parent, -1, "Preferences"), Messages(messages) {
    // Sizers give every control the size the toolkit asks for: a slider's height is the
    // theme's, and labels are never cut. The controls are made in the order Tab visits them.
    auto* layoutBox = new wxStaticBoxSizer(wxVERTICAL, this, "Layout");
    auto* layoutGrid = new wxGridBagSizer(4, 10);
    auto* looksGrid = new wxGridBagSizer(4, 10);
    int row = 0;
    auto slider = [&row](wxStaticBoxSizer* box, wxGridBagSizer* grid, int id, const char* text) {
        wxWindow* parent = box->GetStaticBox();
        grid->Add(new wxStaticText(parent, -1, text), wxGBPosition(row, 0), wxDefaultSpan,
                  wxALIGN_CENTER_VERTICAL);
        auto* control = new wxSlider(parent, id, 0, 0, 100, wxDefaultPosition, wxSize(140, -1),
                                     wxSL_HORIZONTAL);
        grid->Add(control, wxGBPosition(row++, 1), wxDefaultSpan, wxEXPAND);
        return control;
    };
    auto check = [&row](wxStaticBoxSizer* box, wxGridBagSizer* grid, int id, const char* text,
                        int column, int span) {
        auto* control = new wxCheckBox(box->GetStaticBox(), id, text);
        grid->Add(control, wxGBPosition(row, column), wxGBSpan(1, span));
        return control;
    };
    FileGroupSlider = slider(layoutBox, layoutGrid, FileGroupId, "File Group Size");
    ArgGroupSlider = slider(layoutBox, layoutGrid, ArgGroupId, "Argument Group Size");
    ChildFactorSlider = slider(layoutBox, layoutGrid, ChildFactorId, "Child Group Factor");
    BorderWidthSlider = slider(layoutBox, layoutGrid, BorderWidthId, "Border Width");
    GroupItemsCheck = check(layoutBox, layoutGrid, GroupItemsId, "Group items", 0, 1);
    ContainerBordersCheck =
        check(layoutBox, layoutGrid, ContainerBordersId, "Container borders only", 1, 1);
    auto* looksBox = new wxStaticBoxSizer(wxVERTICAL, this, "Looks");
    row = 0;
    CushionFSlider = slider(looksBox, looksGrid, CushionFId, "Cushion F param");
    CushionHSlider = slider(looksBox, looksGrid, CushionHId, "Cushion H param");
    LightIntensitySlider = slider(looksBox, looksGrid, LightIntensityId, "Light Intensity");
    LightAmbientSlider = slider(looksBox, looksGrid, LightAmbientId, "Light Ambient");
    PixelShaderCheck = check(looksBox, looksGrid, PixelShaderId, "Use the pixel shader", 0, 2);
    ++row;
    LightXSlider = slider(looksBox, looksGrid, LightXId, "Light X direction");
    LightYSlider = slider(looksBox, looksGrid, LightYId, "Light Y direction");
    LabelsCheck = check(looksBox, looksGrid, LabelsId, "Labels, size in pixels", 0, 1);
    LabelSizeSpin = new wxSpinCtrl(looksBox->GetStaticBox(), LabelSizeId, "", wxDefaultPosition,
                                   wxDefaultSize, wxSP_ARROW_KEYS, 4, 128, 12);
    looksGrid->Add(LabelSizeSpin, wxGBPosition(row++, 1));
    layoutGrid->AddGrowableCol(1);
    looksGrid->AddGrowableCol(1);
    layoutBox->Add(layoutGrid, wxSizerFlags().Expand().Border(wxALL, 5));
    looksBox->Add(looksGrid, wxSizerFlags().Expand().Border(wxALL, 5));

    SaveButton = new wxButton(this, SaveId, "&Save Settings");
    OkButton = new wxButton(this, wxID_OK, "&Ok");
    CancelButton = new wxButton(this, wxID_CANCEL, "&Cancel");
    // Enter confirms the dialog; Escape cancels it (the Cancel button's id).
    OkButton->SetDefault();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(SaveButton);
    buttons->AddStretchSpacer();
    buttons->Add(OkButton, wxSizerFlags().Border(wxRIGHT, 5));
    buttons->Add(CancelButton);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(layoutBox, wxSizerFlags().Expand().Border(wxALL, 5));
    top->Add(looksBox, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 5));
    top->Add(buttons, wxSizerFlags().Expand().Border(wxALL, 5));
    SetSizerAndFit(top);
}

void CPrefDlg::ShowPosition(wxSlider* slider, int position) {
    slider->SetValue(position);
    ShownPositions[slider] = slider->GetValue();
}

int CPrefDlg::ShowWithSettings(CLayoutSettings layout, CLooksSettings looks) {
    Layout = layout;
    Looks = looks;
    ShowPosition(FileGroupSlider, AreaPosition(Layout.FileAreaFactor));
    ShowPosition(ArgGroupSlider, AreaPosition(Layout.ArgAreaFactor));
    ShowPosition(ChildFactorSlider, AreaPosition(Layout.ChildAreaFactor));
    ShowPosition(BorderWidthSlider, BorderPosition(Layout.BorderWidth));
    ShowPosition(CushionFSlider, CushionPosition(Looks.CushionF));
    ShowPosition(CushionHSlider, CushionPosition(Looks.CushionH));
    ShowPosition(LightAmbientSlider, LightPosition(Looks.AmbientLight));
    ShowPosition(LightIntensitySlider, LightPosition(Looks.SpecularLight));
    ShowPosition(LightXSlider, DirectionPosition(Looks.LightX));
    ShowPosition(LightYSlider, DirectionPosition(Looks.LightY));
    GroupItemsCheck->SetValue(Layout.Subdivide);
    PixelShaderCheck->SetValue(Looks.RenderCushions);
    LabelsCheck->SetValue(Looks.Labels);
    LabelSizeSpin->SetValue(Looks.LabelSize);
    ContainerBordersCheck->SetValue(Layout.ContainerBordersOnly);
    return ShowModal();
}

bool CPrefDlg::Moved(const wxSlider* slider) const {
    auto shown = ShownPositions.find(slider);
    return shown == ShownPositions.end() || shown->second != slider->GetValue();
}

template <class T>
T CPrefDlg::Value(const wxSlider* slider, T kept, T (*convert)(int position)) const {
    return Moved(slider) ? convert(slider->GetValue()) : kept;
}

CLayoutSettings CPrefDlg::GetLayout() const {
    CLayoutSettings layout = Layout;
    layout.ArgAreaFactor = Value(ArgGroupSlider, Layout.ArgAreaFactor, AreaValue);
    layout.FileAreaFactor = Value(FileGroupSlider, Layout.FileAreaFactor, AreaValue);
    layout.ChildAreaFactor = Value(ChildFactorSlider, Layout.ChildAreaFactor, AreaValue);
    layout.BorderWidth = Value(BorderWidthSlider, Layout.BorderWidth, BorderValue);
    layout.Subdivide = GroupItemsCheck->GetValue();
    layout.ContainerBordersOnly = ContainerBordersCheck->GetValue();
    return layout;
}

CLooksSettings CPrefDlg::GetLooks() const {
    CLooksSettings looks = Looks;
    looks.CushionF = Value(CushionFSlider, Looks.CushionF, CushionValue);
    looks.CushionH = Value(CushionHSlider, Looks.CushionH, CushionValue);
    looks.AmbientLight = Value(LightAmbientSlider, Looks.AmbientLight, LightValue);
    looks.SpecularLight = Value(LightIntensitySlider, Looks.SpecularLight, LightValue);
    looks.RenderCushions = PixelShaderCheck->GetValue();
    looks.LightX = Value(LightXSlider, Looks.LightX, DirectionValue);
    looks.LightY = Value(LightYSlider, Looks.LightY, DirectionValue);
    looks.DynamicBorderWidth = Value(BorderWidthSlider, Looks.DynamicBorderWidth, BorderPixels);
    looks.Labels = LabelsCheck->GetValue();
    looks.LabelSize = LabelSizeSpin->GetValue();
    return looks;
}

void CPrefDlg::OnLiveUpdate(wxCommandEvent&) {
    if (View != nullptr)
        View->SetLooksSettings(GetLooks());
}

void CPrefDlg::OnSaveSettings(wxCommandEvent&) {
    wxFileDialog dialog(this, "Save settings...", "", "settings.cfg",
                        "Settings (*.cfg)|*.cfg|All files (*.*)|*.*",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT, wxDefaultPosition);
    if (dialog.ShowModal() == wxID_OK)
        SaveSettings(GetLayout(), GetLooks(), std::string(dialog.GetPath().utf8_str()), Messages);
}

void CPrefDlg::OnActivate(wxActivateEvent& event) {
    if (GetParent() != nullptr)
        GetParent()->Refresh(true, nullptr);
    event.Skip();
}
