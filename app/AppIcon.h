#pragma once

#include <wx/iconbndl.h>

// The application icon (tools/icons) in every size it comes in, compiled into the program so
// that the window shows it wherever the program runs from.
wxIconBundle AppIcons();
