#pragma once

#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <wx/dialog.h>

class CBasicView;
class IMessageBox;
class wxButton;
class wxCheckBox;
class wxSlider;

// The modal dialog behind Tools, Settings: the editable settings as sliders (0 to 100) and
// check boxes. Looks are applied to the view while the controls move; "Save Settings" writes
// the shown values into a copy of "settings.cfg". Each setting is a fixed linear function of
// its slider's position, so the values read back are quantised.
class CPrefDlg : public wxDialog {
public:
    // messages (borrowed) shows why saving a copy failed.
    CPrefDlg(wxWindow* parent, IMessageBox& messages);

    // Keeps both records, sets every control from them and shows the dialog modally; returns
    // wxID_OK or wxID_CANCEL.
    int ShowWithSettings(CLayoutSettings layout, CLooksSettings looks);
    // The kept layout with the values of the layout controls.
    CLayoutSettings GetLayout() const;
    // The kept looks with the values of the looks controls (and the border width in pixels).
    CLooksSettings GetLooks() const;

    // Slider positions of settings: truncated toward zero; the border width is rounded.
    static int AreaPosition(float factor);
    static int BorderPosition(float width);
    static int CushionPosition(float value);
    static int LightPosition(float value);
    static int DirectionPosition(float value);
    // Settings of slider positions, in single precision with the integer product first.
    static float AreaValue(int position);
    static float BorderValue(int position);
    static int BorderPixels(int position);
    static float CushionValue(int position);
    static float LightValue(int position);
    static float DirectionValue(int position);

    wxSlider* FileGroupSlider;
    wxSlider* ArgGroupSlider;
    wxSlider* ChildFactorSlider;
    wxSlider* BorderWidthSlider;
    wxCheckBox* GroupItemsCheck;
    wxCheckBox* ContainerBordersCheck;
    wxSlider* CushionFSlider;
    wxSlider* CushionHSlider;
    wxSlider* LightIntensitySlider;
    wxSlider* LightAmbientSlider;
    wxCheckBox* PixelShaderCheck;
    wxSlider* LightXSlider;
    wxSlider* LightYSlider;
    wxButton* SaveButton;
    wxButton* OkButton;
    wxButton* CancelButton; // every control is a child window, destroyed with the dialog

    CLooksSettings Looks;
    CLayoutSettings Layout;
    CBasicView* View = nullptr; // borrowed; null when no live update is wanted

private:
    // Gives the view the looks the controls show.
    void OnLiveUpdate(wxCommandEvent& event);
    // Saves the shown values into a copy of "settings.cfg" the user names.
    void OnSaveSettings(wxCommandEvent& event);
    // Repaints the main window behind the dialog.
    void OnActivate(wxActivateEvent& event);

    IMessageBox& Messages;

    wxDECLARE_EVENT_TABLE();
};
