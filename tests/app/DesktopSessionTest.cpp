// One whole desktop session on the test display, driven as a user drives it: the mouse and
// the keys through the X server (XTest), the menu commands, the dialogs answered through
// wxTEST_DIALOG, and the canvas read back from the X server.

#include "CDesktopTest.h"

#include "app/CGLCanvas.h"
#include "app/CLegendWindow.h"
#include "app/CPictureExport.h"
#include "app/CPrefDlg.h"
#include "layout/CSqRectangle.h"
#include "view/CBasicView.h"
#include "view/CWorkspace.h"
#include "view/SelectionStatus.h"

#include <png.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/numdlg.h>
#include <wx/slider.h>
#include <wx/statusbr.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace {

class DesktopSession : public CDesktopTest {
protected:
    // The number of pixels that are not white once the canvas has painted; the labels' white
    // text counts as not white.
    int NonWhiteAfterPaint() {
        const std::vector<unsigned long> pixels = Pixels();
        const std::vector<CLabelBox>& labels =
            Canvas().GetRenderer()->GetLabelPainter().GetLabels();
        const wxSize size = Canvas().GetClientSize();
        int count = 0;
        for (int i = 0; i < static_cast<int>(pixels.size()); ++i) {
            const int x = i % size.x, y = size.y - 1 - i / size.x;
            count += pixels[i] != 0xffffff ||
                     std::any_of(labels.begin(), labels.end(), [&](const CLabelBox& l) {
                         return x >= l.MinX && x < l.MaxX && y >= l.MinY && y < l.MaxY;
                     });
        }
        return pixels.empty() ? -1 : count;
    }
    // Whether a popup window (a tooltip) is shown.
    static bool PopupShown() {
        GList* windows = gtk_window_list_toplevels();
        bool shown = false;
        for (GList* w = windows; w != nullptr; w = w->next)
            shown |= gtk_widget_get_visible(GTK_WIDGET(w->data)) &&
                     gtk_window_get_window_type(GTK_WINDOW(w->data)) == GTK_WINDOW_POPUP;
        g_list_free(windows);
        return shown;
    }
    // The pixels of a PNG file of the given size as Pixels gives them; empty when it cannot be
    // read or has another size.
    static std::vector<unsigned long> PngPixels(const std::string& file, wxSize size) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        std::vector<unsigned char> rgb;
        if (!png_image_begin_read_from_file(&image, file.c_str()) || int(image.width) != size.x ||
            int(image.height) != size.y)
            return {};
        image.format = PNG_FORMAT_RGB;
        rgb.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
            return {};
        std::vector<unsigned long> pixels;
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
            pixels.push_back(static_cast<unsigned long>(rgb[i]) << 16 | rgb[i + 1] << 8 |
                             rgb[i + 2]);
        return pixels;
    }
};

} // namespace

TEST_F(DesktopSession, OpenHoverSelectQuerySettingsCloseExit) {
    Start(true, "");
    EXPECT_TRUE(Window().IsShown());
    EXPECT_NE(std::string::npos, Dir.ReadFile("log.txt").find("\nConfig file loaded, layout: "));
    EXPECT_EQ(0, NonWhiteAfterPaint()); // the first paint after start-up clears to white

    Window().Bind(wxEVT_MENU_OPEN, [](wxMenuEvent& event) {
        // The user picks the second item with the keys.
        Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        for (KeySym key : {XK_Down, XK_Down, XK_Return}) {
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, 0);
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), False, 0);
        }
        XFlush(display);
        ASSERT_EQ(2u, event.GetMenu()->GetMenuItemCount());
        EXPECT_EQ("Super Class Query", event.GetMenu()->FindItemByPosition(1)->GetItemLabelText());
    });

    const std::string relations = QUARN_BINARY_DIR "/fixtures/relations.xml";
    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), FileDialog(relations));
    // Whatever progress steps were painted came in order, and the dialog is gone.
    const std::vector<std::string> steps{"Reading XML file", "Reading nodes", "Connecting nodes",
                                         "Squarifying..."};
    auto next = steps.begin();
    for (const std::string& text : Paints.Progress) {
        next = std::find(next, steps.end(), text);
        EXPECT_NE(steps.end(), next) << text;
    }
    ASSERT_NE(nullptr, View().GetTreemap());
    // The program's cushion fills the canvas.
    EXPECT_EQ(Canvas().GetClientSize().x * Canvas().GetClientSize().y, NonWhiteAfterPaint());

    // Hovering a class lights its relations and the arrow to its base.
    CSqRectangle* square = Rect("Square");
    MoveTo(square);
    EXPECT_FALSE(View().GetSelection().HoverRelations.Arrows.empty());
    // The status bar describes it, and after a rest a tooltip says what and where it is; off
    // the canvas both go back to the selection, and the tooltip goes.
    EXPECT_EQ(CQuarnWindow::OneLine(SelectionStatusText({square})), StatusLine());
    EXPECT_EQ(0u, Canvas().GetToolTipText().utf8_string().rfind(
                      "Class\ngeo::Square\n" QUARN_SOURCE_DIR "/tests/fixtures/relations.h", 0))
        << Canvas().GetToolTipText();
    EXPECT_TRUE(PumpUntil(PopupShown));
    Input->MouseMove(Window().GetStatusBar()->GetScreenRect().GetPosition() + wxPoint(5, 5));
    EXPECT_TRUE(
        PumpUntil([&] { return StatusLine() == "Select an item to view more detailed info"; }));
    EXPECT_EQ(nullptr, Canvas().GetToolTip());

    // A click selects by the selection mode and the status bar describes the selection.
    CSqRectangle* edge = Rect("Edge");
    Command(CQuarnWindow::SelectGroupId);
    ClickOn(edge);
    EXPECT_EQ(std::string("Group of 2 Fields.") + CQuarnWindow::StatusSeparator + "Square layer: 7",
              StatusLine());
    Input->Char(WXK_ESCAPE); // the canvas has the keyboard focus since the mouse entered it
    EXPECT_TRUE(
        PumpUntil([&] { return StatusLine() == "Select an item to view more detailed info"; }));
    // Another member than before: a second click on the same spot would be a double click.
    Command(CQuarnWindow::SelectClassId);
    ClickOn(Rect("Padding"));
    EXPECT_EQ(0u, StatusLine().rfind("Class named Square contains 2 fields", 0)) << StatusLine();

    // A right click offers the class queries; the super class query selects Square's bases.
    Input->MouseClick(wxMOUSE_BTN_RIGHT);
    CSqRectangle* rectangle = Rect("Rectangle");
    const auto& selected = View().GetSelection().SelectedRects;
    EXPECT_TRUE(PumpUntil(
        [&] { return std::find(selected.begin(), selected.end(), rectangle) != selected.end(); }));
    EXPECT_EQ(selected.end(), std::find(selected.begin(), selected.end(), square));

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
    EXPECT_TRUE(legend.IsShown());
    CLooksSettings looks = View().GetLooks();
    auto colours = [&] {
        std::vector<wxColour> shown, wanted;
        for (size_t i = 0; i < legend.GetSwatches().size(); ++i) {
            const CColor& c = looks.*CLegendWindow::Entries()[i].Color;
            wanted.emplace_back(std::lround(c.Red * 255), std::lround(c.Green * 255),
                                std::lround(c.Blue * 255));
            shown.push_back(legend.GetSwatches()[i]->GetBackgroundColour());
        }
        return shown == wanted;
    };
    EXPECT_EQ(16u, legend.GetSwatches().size());
    EXPECT_TRUE(colours());
    looks.ClassColor = {1, 0.5f, 0, 1};
    looks.FileGroupColor = {0, 0, 0, 1};
    View().SetLooksSettings(looks);
    EXPECT_TRUE(colours());
    legend.Close();
    EXPECT_FALSE(legend.IsShown());

    // File, Export Picture... at the window's size writes what the window shows; at another
    // size the picture is drawn offscreen and the window shows the same as before.
    Input->MouseMove(wxPoint(1270, 1010)); // away from the window and its tooltips
    EXPECT_TRUE(PumpUntil([] { return !PopupShown(); }));
    const std::vector<unsigned long> shown = Pixels();
    auto number = [](wxNumberEntryDialog&) { return wxID_OK; }; // the canvas's size
    wxTEST_DIALOG(Command(CQuarnWindow::ExportPictureId), CExpect<wxNumberEntryDialog>(number),
                  CExpect<wxNumberEntryDialog>(number),
                  CExpect<wxFileDialog>([&](wxFileDialog& dialog) {
                      dialog.SetPath(wxString::FromUTF8(Dir.Path() + "/view.png"));
                      EXPECT_TRUE(PumpUntil([&] { return dialog.GetPath().EndsWith("view.png"); }));
                      return wxID_OK;
                  }));
    const std::vector<unsigned long> png = PngPixels("view.png", Canvas().GetClientSize());
    ASSERT_EQ(shown.size(), png.size());
    EXPECT_TRUE(shown == png);
    std::string error;
    ASSERT_TRUE(Window().GetPictureExport()->Write(View(), &Window(), NormalProgram, 300, 200,
                                                   "small.png", error))
        << error;
    const std::vector<unsigned long> small = PngPixels("small.png", wxSize(300, 200));
    auto red = [](unsigned long p) { return (p >> 16) > 200 && (p & 0xffff) < 0x2020; };
    EXPECT_TRUE(std::any_of(small.begin(), small.end(), red)); // the selection's frames
    EXPECT_NE(std::count(small.begin(), small.end(), small[0]), long(small.size()));
    EXPECT_EQ(shown, Pixels());

    // Close empties the canvas; Exit ends the program.
    EXPECT_GT(NonWhiteAfterPaint(), 0);
    Command(CQuarnWindow::CloseId);
    EXPECT_EQ(0, NonWhiteAfterPaint());
    Command(CQuarnWindow::ExitId);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
    Stop();
    const std::string log = Dir.ReadFile("log.txt");
    EXPECT_EQ(std::string::npos, log.find("[error]")) << log;
    EXPECT_EQ("stop logging: closing file\n", log.substr(log.rfind('\n', log.size() - 2) + 1));
}
