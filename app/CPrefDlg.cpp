#include "app/CPrefDlg.h"

#include "settings/SettingsFile.h"
#include "view/CBasicView.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/slider.h>
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
    EVT_COMMAND(SaveId, wxEVT_BUTTON, CPrefDlg::OnSaveSettings)
    EVT_ACTIVATE(CPrefDlg::OnActivate)
wxEND_EVENT_TABLE();
// clang-format on

// The position formulas multiply the single-precision setting in double precision before
// truncating, so a stored 0.9 (just below 0.9) shows as 89.
int CPrefDlg::AreaPosition(float factor) {
    return static_cast<int>(factor * 100.0);
}
int CPrefDlg::BorderPosition(float width) {
    return static_cast<int>(width * 10000.0 + 0.5);
}
int CPrefDlg::CushionPosition(float value) {
    return static_cast<int>(value * 10.0);
}
int CPrefDlg::LightPosition(float value) {
    return static_cast<int>(value * 20.0);
}
int CPrefDlg::DirectionPosition(float value) {
    return static_cast<int>((value + 1.0) * 50.0);
}

float CPrefDlg::AreaValue(int position) {
    return static_cast<float>(position) * 0.01f;
}
float CPrefDlg::BorderValue(int position) {
    return static_cast<float>(position) * 0.0001f;
}
int CPrefDlg::BorderPixels(int position) {
    return position / 10;
}
float CPrefDlg::CushionValue(int position) {
    return static_cast<float>(position * 10) * 0.01f;
}
float CPrefDlg::LightValue(int position) {
    return static_cast<float>(position * 5) * 0.01f;
}
float CPrefDlg::DirectionValue(int position) {
    return static_cast<float>(position * 2) * 0.01f - 1;
}

CPrefDlg::CPrefDlg(wxWindow* parent, IMessageBox& messages)
    : wxDialog(parent, -1, "Preferences", wxDefaultPosition, wxSize(300, 490)), Messages(messages) {
    auto slider = [this](int id, int x, int y) {
        return new wxSlider(this, id, 0, 0, 100, wxPoint(x, y), wxSize(140, 20), wxSL_HORIZONTAL);
    };
    auto label = [this](const char* text, int x, int y) {
        new wxStaticText(this, -1, text, wxPoint(x, y));
    };
    new wxStaticBox(this, -1, "Layout", wxPoint(5, 5), wxSize(285, 170));
    label("File Group Size", 15, 30);
    FileGroupSlider = slider(FileGroupId, 140, 30);
    label("Argument Group Size", 15, 60);
    ArgGroupSlider = slider(ArgGroupId, 140, 60);
    label("Child Group Factor", 15, 90);
    ChildFactorSlider = slider(ChildFactorId, 140, 90);
    label("Border Width", 15, 120);
    BorderWidthSlider = slider(BorderWidthId, 140, 120);
    GroupItemsCheck = new wxCheckBox(this, GroupItemsId, "Group items", wxPoint(15, 150));
    ContainerBordersCheck =
        new wxCheckBox(this, ContainerBordersId, "Container borders only", wxPoint(120, 150));
    new wxStaticBox(this, -1, "Looks", wxPoint(5, 180), wxSize(285, 240));
    label("Cushion F param", 15, 205);
    CushionFSlider = slider(CushionFId, 140, 205);
    label("Cushion H param", 15, 235);
    CushionHSlider = slider(CushionHId, 140, 235);
    label("Light Intensity", 15, 265);
    LightIntensitySlider = slider(LightIntensityId, 140, 265);
    label("Light Ambient", 15, 295);
    LightAmbientSlider = slider(LightAmbientId, 140, 295);
    PixelShaderCheck =
        new wxCheckBox(this, PixelShaderId, "Use the pixel shader", wxPoint(15, 325));
    label("Light X direction", 15, 355);
    LightXSlider = slider(LightXId, 140, 355);
    label("Light Y direction", 15, 385);
    LightYSlider = slider(LightYId, 140, 385);
    SaveButton = new wxButton(this, SaveId, "&Save Settings", wxPoint(10, 435));
    OkButton = new wxButton(this, wxID_OK, "&Ok", wxPoint(130, 435));
    CancelButton = new wxButton(this, wxID_CANCEL, "&Cancel", wxPoint(210, 435));
}

int CPrefDlg::ShowWithSettings(CLayoutSettings layout, CLooksSettings looks) {
    Layout = layout;
    Looks = looks;
    // Positions outside 0 to 100 are clamped by the sliders.
    FileGroupSlider->SetValue(AreaPosition(Layout.FileAreaFactor));
    ArgGroupSlider->SetValue(AreaPosition(Layout.ArgAreaFactor));
    ChildFactorSlider->SetValue(AreaPosition(Layout.ChildAreaFactor));
    BorderWidthSlider->SetValue(BorderPosition(Layout.BorderWidth));
    CushionFSlider->SetValue(CushionPosition(Looks.CushionF));
    CushionHSlider->SetValue(CushionPosition(Looks.CushionH));
    LightAmbientSlider->SetValue(LightPosition(Looks.AmbientLight));
    LightIntensitySlider->SetValue(LightPosition(Looks.SpecularLight));
    LightXSlider->SetValue(DirectionPosition(Looks.LightX));
    LightYSlider->SetValue(DirectionPosition(Looks.LightY));
    GroupItemsCheck->SetValue(Layout.Subdivide);
    PixelShaderCheck->SetValue(Looks.RenderCushions);
    ContainerBordersCheck->SetValue(Layout.ContainerBordersOnly);
    return ShowModal();
}

CLayoutSettings CPrefDlg::GetLayout() const {
    CLayoutSettings layout = Layout;
    layout.ArgAreaFactor = AreaValue(ArgGroupSlider->GetValue());
    layout.FileAreaFactor = AreaValue(FileGroupSlider->GetValue());
    layout.ChildAreaFactor = AreaValue(ChildFactorSlider->GetValue());
    layout.BorderWidth = BorderValue(BorderWidthSlider->GetValue());
    layout.Subdivide = GroupItemsCheck->GetValue();
    layout.ContainerBordersOnly = ContainerBordersCheck->GetValue();
    return layout;
}

CLooksSettings CPrefDlg::GetLooks() const {
    CLooksSettings looks = Looks;
    looks.CushionF = CushionValue(CushionFSlider->GetValue());
    looks.CushionH = CushionValue(CushionHSlider->GetValue());
    looks.AmbientLight = LightValue(LightAmbientSlider->GetValue());
    looks.SpecularLight = LightValue(LightIntensitySlider->GetValue());
    looks.RenderCushions = PixelShaderCheck->GetValue();
    looks.LightX = DirectionValue(LightXSlider->GetValue());
    looks.LightY = DirectionValue(LightYSlider->GetValue());
    looks.DynamicBorderWidth = BorderPixels(BorderWidthSlider->GetValue());
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
