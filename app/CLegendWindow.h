#pragma once

#include "settings/CLooksSettings.h"

#include <string>
#include <vector>
#include <wx/frame.h>

// The window behind View, Legend: a small tool window over the main one that lists every kind
// of rectangle with a swatch of its colour in the looks last shown. Closing it only hides it.
class CLegendWindow : public wxFrame {
public:
    // One row of the legend: the kind's name and its colour in the looks.
    struct CEntry {
        const char* Name;
        CColor CLooksSettings::*Color;
    };
    // The rows, in the order shown: the elements' kinds, then the groups'.
    static const std::vector<CEntry>& Entries();

    // Made hidden, with the default looks' colours, over parent (borrowed).
    explicit CLegendWindow(wxWindow* parent);
    // Shows the colours of looks (their red, green and blue; the alpha is left out).
    void ShowLooks(const CLooksSettings& looks);
    // The swatch of each entry, in the order of Entries (child windows).
    const std::vector<wxWindow*>& GetSwatches() const { return Swatches; }

private:
    void OnClose(wxCloseEvent& event);

    std::vector<wxWindow*> Swatches;
};
