#include "app/AppIcon.h"

#include <cstddef>
#include <wx/image.h>
#include <wx/mstream.h>

// The icon's PNG files, one for each size (written by app/CMakeLists.txt).
struct CIconFile {
    const unsigned char* Data;
    std::size_t Size;
};
extern const CIconFile AppIconFiles[];
extern const std::size_t AppIconFileCount;

wxIconBundle AppIcons() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler());
    wxIconBundle icons;
    for (std::size_t i = 0; i < AppIconFileCount; ++i) {
        wxMemoryInputStream stream(AppIconFiles[i].Data, AppIconFiles[i].Size);
        wxImage image(stream, wxBITMAP_TYPE_PNG);
        if (image.IsOk()) {
            wxIcon icon;
            icon.CopyFromBitmap(wxBitmap(image));
            icons.AddIcon(icon);
        }
    }
    return icons;
}
