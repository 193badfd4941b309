#pragma once

#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <unordered_map>
#include <wx/dialog.h>

class CBasicView;
class IMessageBox;
class wxButton;
class wxCheckBox;
class wxSlider;
class wxSpinCtrl;

// The modal dialog behind Tools, Settings: the editable settings as sliders (0 to 100) and
// check boxes, laid out by sizers at the toolkit's sizes. Looks are applied to the view while
// the controls move; "Save Settings" writes the shown values into a copy of "settings.cfg".
// Each slider position stands for one step of its setting; a setting whose slider the user
// moved is read back as that step, one whose slider stayed where it was shown keeps its value
// exactly. Ok is the default button (Enter confirms), Escape cancels.
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

    // Slider positions of settings: the nearest step, clamped to 0 ... 100.
    static int AreaPosition(float factor);
    static int BorderPosition(float width);
    static int CushionPosition(float value);
    static int LightPosition(float value);
    static int DirectionPosition(float value);
    // Settings of slider positions: the step in single precision (the nearest float to the
    // position divided by the steps per unit); the border width in pixels is a tenth of the
    // position, truncated.
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
    wxCheckBox* LabelsCheck;
    wxSpinCtrl* LabelSizeSpin; // 4 to 128 pixels
    wxButton* SaveButton;
    wxButton* OkButton;
    wxButton* CancelButton; // every control is a child window, destroyed with the dialog

    CLooksSettings Looks;
    CLayoutSettings Layout;
    CBasicView* View = nullptr; // borrowed; null when no live update is wanted

private:
    // The position of scaled (a setting times the steps per unit) on a slider.
    static int NearestPosition(double scaled);
    // Shows position on slider and remembers where the slider stood.
    void ShowPosition(wxSlider* slider, int position);
    // Whether the slider stands elsewhere than ShowWithSettings put it.
    bool Moved(const wxSlider* slider) const;
    // The setting slider shows: kept when it did not move, else convert of its position.
    template <class T> T Value(const wxSlider* slider, T kept, T (*convert)(int position)) const;
    // Gives the view the looks the controls show.
    void OnLiveUpdate(wxCommandEvent& event);
    // Saves the shown values into a copy of "settings.cfg" the user names.
    void OnSaveSettings(wxCommandEvent& event);
    // Repaints the main window behind the dialog.
    void OnActivate(wxActivateEvent& event);

    IMessageBox& Messages;
    std::unordered_map<const wxSlider*, int> ShownPositions; // as ShowWithSettings set them

    wxDECLARE_EVENT_TABLE();
};
