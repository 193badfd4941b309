// One whole desktop session on the test display, driven as a user drives it: the mouse through
// the X server (XTest), the menu commands, the dialogs answered through wxTEST_DIALOG, and the
// canvas read back from the X server.

#include "CDesktopTest.h"

#include "app/CGLCanvas.h"
#include "app/CLegendWindow.h"
#include "app/CPrefDlg.h"
#include "layout/CSqRectangle.h"
#include "view/CBasicView.h"
#include "view/CWorkspace.h"
#include "view/SelectionStatus.h"

#include <wx/checkbox.h>
#include <wx/image.h>
#include <wx/numdlg.h>
#include <wx/slider.h>

#include <gtk/gtk.h>

namespace {

// The status bar with nothing selected.
const std::string NoSelection = SelectionStatusText({});

// Whether a popup window (a tooltip) is shown.
bool PopupShown() {
    GList* windows = gtk_window_list_toplevels();
    bool shown = false;
    for (GList* w = windows; w != nullptr; w = w->next)
        shown |= gtk_widget_get_visible(GTK_WIDGET(w->data)) &&
                 gtk_window_get_window_type(GTK_WINDOW(w->data)) == GTK_WINDOW_POPUP;
    g_list_free(windows);
    return shown;
}

using DesktopSession = CDesktopTest;

} // namespace

TEST_F(DesktopSession, OpenHoverSelectSettingsLegendExportClose) {
    Start(true, "");
    // The share of the canvas that is not white once it has painted (the labels' text is); not
    // a number when nothing could be read back.
    auto nonWhite = [&] {
        const std::vector<unsigned long> pixels = Pixels();
        return double(pixels.size() - std::count(pixels.begin(), pixels.end(), 0xffffffUL)) /
               pixels.size();
    };
    EXPECT_EQ(0, nonWhite()); // the first paint after start-up clears to white
    wxTEST_DIALOG(Command(CQuarnWindow::OpenId),
                  FileDialog(QUARN_BINARY_DIR "/fixtures/relations.xml"));
    ASSERT_NE(nullptr, View().GetTreemap());
    EXPECT_GT(nonWhite(), 0.95); // the program's cushion fills the canvas

    // Hovering a class: the status bar describes it, and after a rest a tooltip window says
    // what and where it is; off the canvas the status goes back and the tooltip goes.
    CSqRectangle* square = Rect("Square");
    MoveTo(square);
    EXPECT_EQ(CQuarnWindow::OneLine(SelectionStatusText({square})), StatusLine());
    EXPECT_EQ(0u, Canvas().GetToolTipText().utf8_string().rfind(
                      "Class\ngeo::Square\n" QUARN_SOURCE_DIR "/tests/fixtures/relations.h", 0))
        << Canvas().GetToolTipText();
    EXPECT_TRUE(PumpUntil(PopupShown));
    Input->MouseMove(Window().GetStatusBar()->GetScreenRect().GetPosition() + wxPoint(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return StatusLine() == NoSelection; }));
    EXPECT_EQ(nullptr, Canvas().GetToolTip());

    // In class mode a click on a class's own border selects the class; the status line joins
    // its description's lines and the status field's tooltip holds it whole.
    Command(CQuarnWindow::SelectClassId);
    MoveTo(square);
    Input->MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return View().GetSelection().SelectedRects.size() == 1; }));
    EXPECT_EQ(square, View().GetSelection().SelectedRects.front());
    EXPECT_EQ(0u, StatusLine().rfind("Class named Square contains 2 fields", 0)) << StatusLine();
    EXPECT_EQ(std::string::npos, StatusLine().find('\n'));
    EXPECT_EQ(square->GetDescription(), Window().GetStatusBar()->GetToolTipText().utf8_string());

    // Settings: OK lays out again with what the dialog shows.
    wxTEST_DIALOG(Command(CQuarnWindow::SettingsId), CExpect<CPrefDlg>([](CPrefDlg& dialog) {
                      dialog.GroupItemsCheck->SetValue(false);
                      dialog.LightAmbientSlider->SetValue(10);
                      return wxID_OK;
                  }));
    EXPECT_EQ(ERectKind::Class, Rect("Edge")->Parent->GetKind());
    EXPECT_FLOAT_EQ(0.5f, App->GetWorkspace().Looks.AmbientLight); // a tenth of the scale

    // View, Legend shows every kind's colour from the looks, and follows them.
    Command(CQuarnWindow::LegendId);
    CLegendWindow& legend = *Window().GetLegend();
    CLooksSettings looks = View().GetLooks();
    looks.ClassColor = {1, 0.5f, 0, 1};
    View().SetLooksSettings(looks);
    std::vector<wxColour> swatches, wanted;
    for (size_t i = 0; i < legend.GetSwatches().size(); ++i) {
        const CColor& c = looks.*CLegendWindow::Entries()[i].Color;
        wanted.emplace_back(std::lround(c.Red * 255), std::lround(c.Green * 255),
                            std::lround(c.Blue * 255));
        swatches.push_back(legend.GetSwatches()[i]->GetBackgroundColour());
    }
    EXPECT_TRUE(legend.IsShown() && swatches.size() == 16 && swatches == wanted);
    legend.Close();

    // File, Export Picture... at the window's size writes what the window shows.
    Input->MouseMove(wxPoint(1270, 1010)); // away from the window and its tooltips
    EXPECT_TRUE(PumpUntil([] { return !PopupShown(); }));
    const std::vector<unsigned long> shown = Pixels();
    auto number = [](wxNumberEntryDialog&) { return wxID_OK; }; // the canvas's size
    wxTEST_DIALOG(Command(CQuarnWindow::ExportPictureId), CExpect<wxNumberEntryDialog>(number),
                  CExpect<wxNumberEntryDialog>(number), FileDialog(Dir.Path() + "/view.png"));
    const wxImage png("view.png", wxBITMAP_TYPE_PNG);
    ASSERT_EQ(Canvas().GetClientSize(), png.GetSize());
    std::vector<unsigned long> exported;
    for (const unsigned char* p = png.GetData(); exported.size() < shown.size(); p += 3)
        exported.push_back(p[0] << 16 | p[1] << 8 | p[2]);
    EXPECT_TRUE(shown == exported);

    // Close empties the canvas and the status bar.
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ(0, nonWhite());
    EXPECT_EQ(NoSelection, StatusLine());
    EXPECT_EQ(std::string::npos, Dir.ReadFile("log.txt").find("[error]"));
}
