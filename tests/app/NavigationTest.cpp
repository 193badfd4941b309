// Finding one's way in the desktop program, driven through the real window on the test display:
// a double click and Alt+arrows through the X server, the Find dialog's options, list and
// keys, File, Recent Files and a dropped file, and the menus' shortcuts.

#include "CDesktopTest.h"

#include "app/CFindDlg.h"
#include "app/CGLCanvas.h"
#include "app/CMatchList.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CProgramElement.h"
#include "view/CBasicView.h"
#include "view/CViewData.h"

#include <filesystem>
#include <wx/checkbox.h>
#include <wx/dnd.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

namespace {

const std::string Relations = QUARN_BINARY_DIR "/fixtures/relations.xml";

using Navigation = CDesktopTest;

} // namespace

TEST_F(Navigation, ADoubleClickZoomsAltLeftRestoresTheViewExactlyAndFindShowsARow) {
    Start(true, Relations);
    const CCamera& camera = View().GetCamera();
    Focus(Window());
    // A tooltip that shows over the canvas during one read-back and not the other would count.
    wxToolTip::Enable(false);
    CSqRectangle* square = Rect("Square");
    MoveTo(square);
    const std::vector<unsigned long> before = Pixels();
    Input->MouseDblClick();
    ASSERT_TRUE(PumpUntil([&] { return camera.ZoomFactor > 1; }));
    EXPECT_EQ(std::list<CSqRectangle*>{square}, View().GetSelection().SelectedRects);
    Press(WXK_LEFT, wxMOD_ALT, [&] { return camera.ZoomFactor == 1; });
    Press(WXK_ESCAPE, 0, [&] { return View().GetSelection().SelectedRects.empty(); });
    EXPECT_EQ(before, Pixels());

    // Find lists what each option matches; Enter on a row selects and shows it.
    CSqRectangle* area = nullptr;
    wxTheApp->CallAfter([&] {
        auto* dialog = Window().GetFindDialog();
        Focus(*dialog);
        auto rows = [&](const char* text, bool matchCase, bool wholeName) {
            dialog->MatchCaseCheck->SetValue(matchCase);
            dialog->WholeNameCheck->SetValue(wholeName);
            dialog->NameText->ChangeValue("");
            Input->Text(text); // the list follows the typing
            EXPECT_TRUE(PumpUntil([&] { return dialog->GetSearchText() == text; }));
            std::vector<std::string> kinds;
            for (long row = 0; row < dialog->MatchList->GetItemCount(); ++row)
                kinds.push_back(dialog->MatchList->GetItemText(row).utf8_string());
            return kinds;
        };
        EXPECT_TRUE(rows("square", true, true).empty());
        const std::vector<std::string> squares = rows("square", false, true);
        EXPECT_EQ("geo::Square", dialog->MatchList->GetItemText(0, 1));
        EXPECT_TRUE(rows("Squ", true, true).empty());
        EXPECT_EQ(squares, rows("Squ", true, false));
        EXPECT_EQ(std::vector<std::string>{"method"}, rows("Shape::Area", true, true));
        area = View().GetTreemap()->RectOf(dialog->GetMatches().at(0));
        Input->Char(WXK_DOWN);
        EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() != dialog->NameText; }));
        Input->Char(WXK_RETURN);
    });
    Command(CQuarnWindow::FindId);
    EXPECT_EQ(std::list<CSqRectangle*>{area}, View().GetSelection().SelectedRects);
    EXPECT_GT(camera.ZoomFactor, 1);
}

TEST_F(Navigation, RecentFilesAndDropThenTheShortcuts) {
    Start(true, Relations);
    auto recent = [&] { return App->GetRecentFiles().GetFiles(); };
    EXPECT_EQ(std::vector<std::string>{Relations}, recent());
    const std::string copy = Dir.Path() + "/copy.xml";
    std::filesystem::copy_file(Relations, copy);
    auto* drop = dynamic_cast<wxFileDropTarget*>(Canvas().GetDropTarget());
    ASSERT_NE(nullptr, drop);
    const CViewData* before = App->GetViewData();
    const wxString dropped(copy);
    drop->OnDropFiles(10, 10, wxArrayString(1, &dropped));
    EXPECT_TRUE(PumpUntil([&] { return App->GetViewData() != before; }));
    EXPECT_EQ((std::vector<std::string>{copy, Relations}), recent());
    std::filesystem::remove(copy);
    wxTEST_DIALOG(Command(CQuarnWindow::RecentFileId), CExpect<wxMessageDialog>([&](auto& box) {
                      EXPECT_NE(std::string::npos, box.GetMessage().find("no longer exists"));
                      return wxID_OK;
                  }));
    EXPECT_EQ(std::vector<std::string>{Relations}, recent());

    // The menus' shortcuts.
    Focus(Window());
    bool shown = false;
    auto shows = [&](int key) {
        return (Input->Char(key, wxMOD_CONTROL), PumpUntil([&] { return shown; }));
    };
    auto cancel = [&](auto&) { return shown = true, wxID_CANCEL; };
    wxTEST_DIALOG(shows('f'), CExpect<CFindDlg>(cancel));
    shown = false;
    wxTEST_DIALOG(shows('o'), CExpect<wxFileDialog>(cancel));
    Press('w', wxMOD_CONTROL, [&] { return View().GetTreemap() == nullptr; });
    Press('q', wxMOD_CONTROL, [] { return wxTopLevelWindows.empty(); });
}
