// Tools, Settings: the preferences dialog, its live looks, and what OK, Cancel and Save
// Settings do to the application, the view and the settings files.

#include "AppTestSupport.h"

#include "app/CQuarnWindow.h"
#include "layout/CRectArea.h"
#include "render/CBasicView.h"
#include "settings/SettingsFile.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

class CPrefDlgTest : public CAppTest {
protected:
    void SetUp() override {
        CAppTest::SetUp();
        ASSERT_TRUE(Start());
        Open(QUARN_BINARY_DIR "/fixtures/relations.xml");
        ASSERT_NE(nullptr, Treemap());
        SavedSettings = Dir.ReadFile("settings.cfg");
    }

    // Runs Tools, Settings with act working the dialog.
    void EditSettings(std::function<int(CPrefDlg&)> act) {
        wxTEST_DIALOG(Command(CQuarnWindow::SettingsId), wxExpectModal<CPrefDlg>(act));
    }
    CRectArea* Treemap() const { return App->GetView()->GetTreemap(); }

    std::string SavedSettings; // "settings.cfg" as the run started with it
};

// "<kind> <id> <label> <x>,<y> <width>x<height>" of every control, in creation order; the
// size only for the boxes and sliders, whose size is fixed.
std::vector<std::string> DescribeControls(const CPrefDlg& dialog) {
    std::vector<std::string> lines;
    for (const wxWindow* child : dialog.GetChildren()) {
        std::string kind = dynamic_cast<const wxStaticBox*>(child)    ? "box"
                           : dynamic_cast<const wxStaticText*>(child) ? "text"
                           : dynamic_cast<const wxSlider*>(child)     ? "slider"
                           : dynamic_cast<const wxCheckBox*>(child)   ? "check"
                           : dynamic_cast<const wxButton*>(child)     ? "button"
                                                                      : "other";
        const wxPoint at = child->GetPosition();
        // Controls made with id -1 get a generated (negative) id from the toolkit.
        const int id = child->GetId() < 0 ? -1 : child->GetId();
        std::string line = kind + " " + std::to_string(id) + " " + child->GetLabel().utf8_string() +
                           " " + std::to_string(at.x) + "," + std::to_string(at.y);
        if (kind == "box" || kind == "slider") {
            const wxSize size = child->GetSize();
            line += " " + std::to_string(size.x) + "x" + std::to_string(size.y);
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST_F(CPrefDlgTest, TheDialogShowsItsControlsWhereTheyBelong) {
    std::vector<std::string> controls;
    std::string title;
    wxSize size;
    EditSettings([&](CPrefDlg& dialog) {
        controls = DescribeControls(dialog);
        title = dialog.GetTitle().utf8_string();
        size = dialog.GetSize();
        return wxID_CANCEL;
    });
    EXPECT_EQ("Preferences", title);
    EXPECT_EQ(wxSize(300, 490), size);
    EXPECT_EQ((std::vector<std::string>{
                  "box -1 Layout 5,5 285x170",
                  "text -1 File Group Size 15,30",
                  "slider 4  140,30 140x20",
                  "text -1 Argument Group Size 15,60",
                  "slider 5  140,60 140x20",
                  "text -1 Child Group Factor 15,90",
                  "slider 6  140,90 140x20",
                  "text -1 Border Width 15,120",
                  "slider 7  140,120 140x20",
                  "check 8 Group items 15,150",
                  "check 9 Container borders only 120,150",
                  "box -1 Looks 5,180 285x240",
                  "text -1 Cushion F param 15,205",
                  "slider 10  140,205 140x20",
                  "text -1 Cushion H param 15,235",
                  "slider 11  140,235 140x20",
                  "text -1 Light Intensity 15,265",
                  "slider 12  140,265 140x20",
                  "text -1 Light Ambient 15,295",
                  "slider 13  140,295 140x20",
                  "check 14 Use the pixel shader 15,325",
                  "text -1 Light X direction 15,355",
                  "slider 15  140,355 140x20",
                  "text -1 Light Y direction 15,385",
                  "slider 16  140,385 140x20",
                  "button 3 &Save Settings 10,435",
                  "button 5100 &Ok 130,435",
                  "button 5101 &Cancel 210,435",
              }),
              controls);
}

TEST_F(CPrefDlgTest, DefaultsShowAtTheirPositionsAndComeBackQuantisedAndSaved) {
    std::vector<int> positions;
    std::vector<bool> checks;
    EditSettings([&](CPrefDlg& dialog) {
        for (wxSlider* slider :
             {dialog.FileGroupSlider, dialog.ArgGroupSlider, dialog.ChildFactorSlider,
              dialog.BorderWidthSlider, dialog.CushionFSlider, dialog.CushionHSlider,
              dialog.LightIntensitySlider, dialog.LightAmbientSlider, dialog.LightXSlider,
              dialog.LightYSlider})
            positions.push_back(slider->GetValue());
        for (wxCheckBox* check :
             {dialog.GroupItemsCheck, dialog.ContainerBordersCheck, dialog.PixelShaderCheck})
            checks.push_back(check->GetValue());
        return wxID_OK;
    });
    // Single-precision settings times 100 (20, 10) in double precision, truncated: 0.9f is
    // just below 0.9, 0.9f times 20 just below 18.
    EXPECT_EQ((std::vector<int>{60, 30, 89, 50, 5, 48, 17, 6, 50, 50}), positions);
    EXPECT_EQ((std::vector<bool>{true, true, true}), checks);

    const CLayoutSettings& layout = App->GetLayout();
    EXPECT_FLOAT_EQ(0.6f, layout.FileAreaFactor);
    EXPECT_FLOAT_EQ(0.3f, layout.ArgAreaFactor);
    EXPECT_EQ(89 * 0.01f, layout.ChildAreaFactor);
    EXPECT_FLOAT_EQ(0.89f, layout.ChildAreaFactor);
    EXPECT_FLOAT_EQ(0.005f, layout.BorderWidth);
    EXPECT_TRUE(layout.Subdivide);
    EXPECT_TRUE(layout.ContainerBordersOnly);
    const CLooksSettings& looks = App->GetLooks();
    EXPECT_FLOAT_EQ(0.5f, looks.CushionF);
    EXPECT_FLOAT_EQ(4.8f, looks.CushionH);
    EXPECT_FLOAT_EQ(0.85f, looks.SpecularLight);
    EXPECT_FLOAT_EQ(0.3f, looks.AmbientLight);
    EXPECT_EQ(0.0f, looks.LightX);
    EXPECT_EQ(0.0f, looks.LightY);
    EXPECT_EQ(5, looks.DynamicBorderWidth); // was 4 from the file
    EXPECT_TRUE(looks.RenderCushions);

    // OK wrote them into "settings.cfg", which keeps what the dialog does not edit.
    const std::string saved = Dir.ReadFile("settings.cfg");
    for (const char* written :
         {"<children area=\"0.89\"/>", "<cushion f=\"0.5\" h=\"4.8\"/>",
          "<shader ambient=\"0.3\" specular=\"0.85\"/>",
          "<border width=\"0.005\" containers_only=\"true\"/>", "<display_lists enabled=\"true\"/>",
          "<class red=\"51\" green=\"0\" blue=\"255\" alpha=\"255\"/>"})
        EXPECT_NE(std::string::npos, saved.find(written)) << written;
    CLayoutSettings readLayout;
    CLooksSettings readLooks;
    ASSERT_TRUE(ReadSettings(readLayout, readLooks));
    EXPECT_FLOAT_EQ(layout.ChildAreaFactor, readLayout.ChildAreaFactor);
    EXPECT_FLOAT_EQ(looks.SpecularLight, readLooks.SpecularLight);
}

TEST_F(CPrefDlgTest, OkLaysTheTreeOutAgainWithTheNewLayout) {
    const CRectArea* before = Treemap();
    EditSettings([&](CPrefDlg& dialog) {
        MoveSlider(dialog.ChildFactorSlider, 50);
        ClickCheckBox(dialog.GroupItemsCheck, false);
        // Layout values wait for OK.
        EXPECT_EQ(before, Treemap());
        EXPECT_FLOAT_EQ(0.9f, Treemap()->GetLayout().ChildAreaFactor);
        return wxID_OK;
    });
    ASSERT_NE(nullptr, Treemap());
    EXPECT_NE(before, Treemap());
    EXPECT_FLOAT_EQ(0.5f, Treemap()->GetLayout().ChildAreaFactor);
    EXPECT_FALSE(Treemap()->GetLayout().Subdivide);
    EXPECT_FLOAT_EQ(0.5f, App->GetLayout().ChildAreaFactor);
    const std::string saved = Dir.ReadFile("settings.cfg");
    EXPECT_NE(std::string::npos, saved.find("<children area=\"0.5\"/>"));
    EXPECT_NE(std::string::npos, saved.find("<group_squares enabled=\"false\"/>"));
    EXPECT_GT(PaintCanvas().CountOtherThan(255, 255, 255), 0);
}

TEST_F(CPrefDlgTest, LooksApplyWhileTheControlsMoveAndCancelUndoesThemWritingNothing) {
    const CRectArea* before = Treemap();
    PaintCanvas();
    const std::vector<unsigned char> image = App->GetView()->GetSnapshot();
    EditSettings([&](CPrefDlg& dialog) {
        MoveSlider(dialog.LightXSlider, 0);
        EXPECT_EQ(-1.0f, Treemap()->GetLooks().LightX);
        EXPECT_TRUE(App->GetView()->IsDirty()); // drawn anew at the next paint
        ClickCheckBox(dialog.PixelShaderCheck, false);
        EXPECT_FALSE(Treemap()->GetLooks().RenderCushions);
        MoveSlider(dialog.BorderWidthSlider, 100);
        EXPECT_EQ(10, Treemap()->GetLooks().DynamicBorderWidth);
        MoveSlider(dialog.ChildFactorSlider, 10);
        EXPECT_FLOAT_EQ(0.9f, Treemap()->GetLayout().ChildAreaFactor);
        EXPECT_EQ(0.0f, App->GetLooks().LightX); // the application's own settings wait
        return wxID_CANCEL;
    });
    EXPECT_EQ(before, Treemap());
    EXPECT_EQ(0.0f, Treemap()->GetLooks().LightX);
    EXPECT_TRUE(Treemap()->GetLooks().RenderCushions);
    EXPECT_EQ(4, Treemap()->GetLooks().DynamicBorderWidth);
    EXPECT_FLOAT_EQ(0.9f, App->GetLayout().ChildAreaFactor);
    EXPECT_EQ(SavedSettings, Dir.ReadFile("settings.cfg"));
    PaintCanvas();
    EXPECT_EQ(image, App->GetView()->GetSnapshot());
}

TEST_F(CPrefDlgTest, SaveSettingsWritesTheShownValuesToANewFileOnly) {
    const std::string other = Dir.Path() + "/other.cfg";
    wxTEST_DIALOG(Command(CQuarnWindow::SettingsId), wxExpectModal<CPrefDlg>([](CPrefDlg& dialog) {
                      MoveSlider(dialog.CushionFSlider, 20);
                      MoveSlider(dialog.FileGroupSlider, 25);
                      ClickButton(dialog.SaveButton);
                      return wxID_CANCEL;
                  }),
                  CExpectFile("Save settings...", other));
    EXPECT_EQ(SavedSettings, Dir.ReadFile("settings.cfg"));
    CLayoutSettings layout, defaultLayout;
    CLooksSettings looks, defaultLooks;
    ASSERT_TRUE(ReadSettings(layout, looks, other));
    ASSERT_TRUE(ReadSettings(defaultLayout, defaultLooks));
    EXPECT_FLOAT_EQ(2.0f, looks.CushionF);
    EXPECT_FLOAT_EQ(0.25f, layout.FileAreaFactor);
    EXPECT_FLOAT_EQ(0.89f, layout.ChildAreaFactor); // quantised as shown
    EXPECT_EQ(defaultLooks.ClassColor.Red, looks.ClassColor.Red);
    EXPECT_EQ(defaultLooks.MemberTypeColor.Alpha, looks.MemberTypeColor.Alpha);
    // The application's settings are unchanged by the button.
    EXPECT_FLOAT_EQ(0.55f, App->GetLooks().CushionF);
}
