#include "settings/SettingsFile.h"
#include "settings/CXmlDocument.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

namespace {

std::string SettingsWith(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<settings>" + body + "</settings>\n";
}

void ExpectDefaults(const CLayoutSettings& layout, const CLooksSettings& looks) {
    CLayoutSettings l;
    CLooksSettings k;
    EXPECT_EQ(DumpLayoutSettings(l), DumpLayoutSettings(layout));
    EXPECT_EQ(DumpLooksSettings(k), DumpLooksSettings(looks));
    EXPECT_EQ(k.ClassColor.Blue, looks.ClassColor.Blue);
    EXPECT_EQ(k.MemberTypeColor.Alpha, looks.MemberTypeColor.Alpha);
}

std::string RepositorySettings() {
    return ReadWholeFile(QUARN_SOURCE_DIR "/settings.cfg");
}

} // namespace

TEST(SettingsFile, MissingFileKeepsDefaultsAndReportsNothing) {
    CTempDir dir;
    CRecordingMessageBox box;
    CLayoutSettings layout;
    CLooksSettings looks;
    layout.BorderWidth = 7; // must be reset
    looks.CushionF = 9;
    EXPECT_FALSE(ReadSettings(layout, looks));
    ExpectDefaults(layout, looks);
    EXPECT_TRUE(box.Messages.empty());
}

TEST(SettingsFile, MalformedTruncatedOrEmptyFilesKeepDefaults) {
    CTempDir dir;
    std::string full = RepositorySettings();
    for (const std::string& text :
         {std::string(), std::string("not xml at all"), full.substr(0, full.size() / 2),
          std::string("\xff\xfe\x00<settings>", 13)}) {
        dir.WriteFile("settings.cfg", text);
        CLayoutSettings layout;
        CLooksSettings looks;
        looks.AmbientLight = 3;
        EXPECT_FALSE(ReadSettings(layout, looks));
        ExpectDefaults(layout, looks);
    }
}

TEST(SettingsFile, EmptyRootKeepsDefaultsAndSucceeds) {
    CTempDir dir;
    dir.WriteFile("settings.cfg", "<settings/>");
    CLayoutSettings layout;
    CLooksSettings looks;
    EXPECT_TRUE(ReadSettings(layout, looks));
    ExpectDefaults(layout, looks);
}

TEST(SettingsFile, DebugTextsOfTheDefaults) {
    EXPECT_EQ(" \t\tbool UseFunctionLength 0\n"
              " \t\tbool Subdivide 1\n"
              " \t\tbool ContainerBordersOnly 1\n"
              " \t\tfloat BorderWidth 0.0050\n"
              " \t\tfloat FileAreaFactor 0.6000\n"
              " \t\tfloat ArgAreaFactor 0.3000\n"
              " \t\tfloat ChildAreaFactor 0.9000\n",
              DumpLayoutSettings(CLayoutSettings()));
    EXPECT_EQ("  \t\tbool DisplayLists 1\n"
              " \t\tbool RenderCushions 1\n"
              " \t\tint DynamicBorderWidth 5\n"
              " \t\tfloat CushionF 0.5500\n"
              " \t\tfloat CushionH 4.8800\n"
              " \t\tfloat AmbientLight 0.3000\n"
              " \t\tfloat SpecularLight 0.9000\n"
              " \t\tfloat RealSpecularLight 4.0000\n"
              " \t\tfloat LightX 0.0000\n"
              " \t\tfloat LightY 0.0000\n",
              DumpLooksSettings(CLooksSettings()));
}

TEST(SettingsFile, BooleansAreTrueOnlyForTrueInAnyCase) {
    CTempDir dir;
    CLayoutSettings layout;
    CLooksSettings looks;
    dir.WriteFile("settings.cfg", SettingsWith("<renderer><display_lists enabled='TRUE'/>"
                                               "<pixel_shader enabled='yes'/></renderer>"
                                               "<layout><group_squares enabled='False'/>"
                                               "<border containers_only='True'/></layout>"));
    ASSERT_TRUE(ReadSettings(layout, looks));
    EXPECT_TRUE(looks.DisplayLists);
    EXPECT_FALSE(looks.RenderCushions);
    EXPECT_FALSE(layout.Subdivide);
    EXPECT_TRUE(layout.ContainerBordersOnly);
}

TEST(SettingsFile, DecimalsAndTheDerivedBorderWidth) {
    CTempDir dir;
    CLayoutSettings layout;
    CLooksSettings looks;
    dir.WriteFile("settings.cfg",
                  SettingsWith("<layout><function_argument area='0.25'/><file_group area='0'/>"
                               "<children area='0.75'/><border width='0.005'/></layout>"
                               "<looks><shader ambient='0.5' specular='2'/>"
                               "<cushion f='0.8' h='3'/></looks>"));
    ASSERT_TRUE(ReadSettings(layout, looks));
    EXPECT_EQ(0.25f, layout.ArgAreaFactor);
    EXPECT_EQ(0.0f, layout.FileAreaFactor);
    EXPECT_EQ(0.75f, layout.ChildAreaFactor);
    EXPECT_EQ(0.005f, layout.BorderWidth);
    EXPECT_EQ(4, looks.DynamicBorderWidth); // 0.005f is just below 0.005
    EXPECT_EQ(0.5f, looks.AmbientLight);
    EXPECT_EQ(2.0f, looks.SpecularLight);
    EXPECT_EQ(0.8f, looks.CushionF);
    EXPECT_EQ(3.0f, looks.CushionH);
    EXPECT_TRUE(layout.ContainerBordersOnly); // attribute absent: default
}

TEST(SettingsFile, ColourComponentsWrapAndScale) {
    CTempDir dir;
    CLayoutSettings layout;
    CLooksSettings looks;
    dir.WriteFile("settings.cfg",
                  SettingsWith("<looks><colors>"
                               "<class red='255' green='256' blue='510' alpha='300'/>"
                               "<file red='-1' green='0' blue='128'/>"
                               "<method red='10' green='20'/>"
                               "<enum red='1' green='2' blue='3' alpha='4'/>"
                               "</colors></looks>"));
    ASSERT_TRUE(ReadSettings(layout, looks));
    const float step = 0.003921569f;
    EXPECT_EQ(255 * step, looks.ClassColor.Red);
    EXPECT_FLOAT_EQ(1.0f, looks.ClassColor.Red);
    EXPECT_EQ(0.0f, looks.ClassColor.Green);
    EXPECT_EQ(254 * step, looks.ClassColor.Blue);
    EXPECT_EQ(44 * step, looks.ClassColor.Alpha);
    EXPECT_EQ(1 * step, looks.FileColor.Red);
    EXPECT_EQ(128 * step, looks.FileColor.Blue);
    EXPECT_EQ(1 * step, looks.FileColor.Alpha); // missing alpha reads as the text "1.0"
    // A colour without blue keeps its default; the colours after it are still read.
    EXPECT_EQ(CLooksSettings().MethodColor.Green, looks.MethodColor.Green);
    EXPECT_EQ(3 * step, looks.EnumColor.Blue);
}

TEST(SettingsFile, RepositoryFileHoldsTheDefaults) {
    CTempDir dir;
    dir.WriteFile("settings.cfg", RepositorySettings());
    CLayoutSettings layout;
    CLooksSettings looks;
    ASSERT_TRUE(ReadSettings(layout, looks));
    CLooksSettings defaults;
    EXPECT_EQ(DumpLayoutSettings(CLayoutSettings()), DumpLayoutSettings(layout));
    // The file's width 0.005 derives 4 pixels; everything else matches the defaults.
    EXPECT_EQ(4, looks.DynamicBorderWidth);
    looks.DynamicBorderWidth = defaults.DynamicBorderWidth;
    EXPECT_EQ(DumpLooksSettings(defaults), DumpLooksSettings(looks));
    const CColor* read = &looks.SpareColor1;
    const CColor* expected = &defaults.SpareColor1;
    for (int i = 2; i < 29; ++i) { // the two spare colours have no key
        EXPECT_NEAR(expected[i].Red, read[i].Red, 0.51 / 255) << i;
        EXPECT_NEAR(expected[i].Green, read[i].Green, 0.51 / 255) << i;
        EXPECT_NEAR(expected[i].Blue, read[i].Blue, 0.51 / 255) << i;
        EXPECT_NEAR(expected[i].Alpha, read[i].Alpha, 0.51 / 255) << i;
    }
}

TEST(SettingsFile, SaveAndReadBackRoundTrip) {
    CTempDir dir;
    CRecordingMessageBox box;
    dir.WriteFile("settings.cfg", RepositorySettings());
    CLayoutSettings layout;
    CLooksSettings looks;
    layout.Subdivide = false;
    layout.ContainerBordersOnly = false;
    layout.BorderWidth = 0.0072f;
    layout.FileAreaFactor = 0.123456f;
    layout.ArgAreaFactor = 0.0f;
    layout.ChildAreaFactor = 1.0f;
    looks.RenderCushions = false;
    looks.CushionF = 0.5f;
    looks.CushionH = 4.8f;
    looks.AmbientLight = 1.25f;
    looks.SpecularLight = 0.85f;
    ASSERT_TRUE(SaveSettings(layout, looks, ""));
    EXPECT_TRUE(box.Messages.empty());

    std::string saved = dir.ReadFile("settings.cfg");
    EXPECT_NE(std::string::npos, saved.find("area=\"0.1235\"")); // four significant digits
    EXPECT_NE(std::string::npos, saved.find("width=\"0.0072\""));

    CLayoutSettings readLayout;
    CLooksSettings readLooks;
    ASSERT_TRUE(ReadSettings(readLayout, readLooks));
    EXPECT_FALSE(readLayout.Subdivide);
    EXPECT_FALSE(readLayout.ContainerBordersOnly);
    EXPECT_EQ(0.0072f, readLayout.BorderWidth);
    EXPECT_EQ(7, readLooks.DynamicBorderWidth);
    EXPECT_EQ(0.1235f, readLayout.FileAreaFactor);
    EXPECT_EQ(0.0f, readLayout.ArgAreaFactor);
    EXPECT_EQ(1.0f, readLayout.ChildAreaFactor);
    EXPECT_FALSE(readLooks.RenderCushions);
    EXPECT_TRUE(readLooks.DisplayLists); // never written
    EXPECT_EQ(0.5f, readLooks.CushionF);
    EXPECT_EQ(4.8f, readLooks.CushionH);
    EXPECT_EQ(1.25f, readLooks.AmbientLight);
    EXPECT_EQ(0.85f, readLooks.SpecularLight);
}

TEST(SettingsFile, SaveKeepsColoursDisplayListsAndUnknownElements) {
    CTempDir dir;
    CRecordingMessageBox box;
    dir.WriteFile("settings.cfg",
                  SettingsWith("<renderer><display_lists enabled='false'/>"
                               "<pixel_shader enabled='true'/></renderer>"
                               "<extra keep='me'/><layout><border width='0.001'/></layout>"
                               "<looks><colors><class red='1' green='2' blue='3'/></colors>"
                               "</looks>"));
    CLayoutSettings layout;
    CLooksSettings looks;
    looks.RenderCushions = false;
    ASSERT_TRUE(SaveSettings(layout, looks, ""));
    std::string saved = dir.ReadFile("settings.cfg");
    EXPECT_NE(std::string::npos, saved.find("<display_lists enabled=\"false\"/>"));
    EXPECT_NE(std::string::npos, saved.find("<pixel_shader enabled=\"false\"/>"));
    EXPECT_NE(std::string::npos, saved.find("<extra keep=\"me\"/>"));
    EXPECT_NE(std::string::npos, saved.find("<class red=\"1\" green=\"2\" blue=\"3\"/>"));
    EXPECT_NE(std::string::npos, saved.find("width=\"0.005\" containers_only=\"true\""));
    // Elements the file lacks are not created.
    EXPECT_EQ(std::string::npos, saved.find("cushion"));
}

TEST(SettingsFile, SaveToNewNameCopiesAndLeavesTheOriginal) {
    CTempDir dir;
    CRecordingMessageBox box;
    std::string original = SettingsWith("<renderer><display_lists enabled='false'/></renderer>"
                                        "<looks><cushion f='1' h='2'/><colors>"
                                        "<file red='9' green='8' blue='7'/></colors></looks>");
    dir.WriteFile("settings.cfg", original);
    CLayoutSettings layout;
    CLooksSettings looks;
    looks.CushionF = 0.3f;
    ASSERT_TRUE(SaveSettings(layout, looks, dir.Path() + "/mine.cfg"));
    EXPECT_EQ(original, dir.ReadFile("settings.cfg"));
    std::string copy = dir.ReadFile("mine.cfg");
    EXPECT_NE(std::string::npos, copy.find("f=\"0.3\""));
    EXPECT_NE(std::string::npos, copy.find("<file red=\"9\" green=\"8\" blue=\"7\"/>"));
    EXPECT_NE(std::string::npos, copy.find("<display_lists enabled=\"false\"/>"));
    EXPECT_TRUE(box.Messages.empty());

    // Saving "to a new name" that is the settings file itself updates it in place.
    ASSERT_TRUE(SaveSettings(layout, looks, "settings.cfg"));
    EXPECT_NE(std::string::npos, dir.ReadFile("settings.cfg").find("f=\"0.3\""));
}

TEST(SettingsFile, SaveFailuresAreShownUnderParserError) {
    CTempDir dir;
    CRecordingMessageBox box;
    CLayoutSettings layout;
    CLooksSettings looks;
    EXPECT_FALSE(SaveSettings(layout, looks, ""));
    EXPECT_FALSE(SaveSettings(layout, looks, "copy.cfg"));
    dir.WriteFile("settings.cfg", "<settings><unclosed></settings>");
    EXPECT_FALSE(SaveSettings(layout, looks, ""));
    ASSERT_EQ(3u, box.Messages.size());
    EXPECT_EQ("Invalid file or xml document", box.Messages[0].Text);
    EXPECT_EQ("Error writing new config file", box.Messages[1].Text);
    EXPECT_EQ("Invalid file or xml document", box.Messages[2].Text);
    for (const auto& message : box.Messages)
        EXPECT_EQ("Parser error", message.Caption);
    EXPECT_EQ("<settings><unclosed></settings>", dir.ReadFile("settings.cfg"));
    EXPECT_EQ("", dir.ReadFile("copy.cfg"));
}

TEST(XmlDocument, XPathCountsAndTexts) {
    CTempDir dir;
    dir.WriteFile("doc.xml", "<project><options><a arg='-DX'/><b/><c arg='-I /x y'/></options>"
                             "<settings gccxml_path='castxml' empty=''/></project>");
    CXmlDocument doc("doc.xml");
    auto options = doc.Evaluate("/project/options/*/@arg");
    ASSERT_TRUE(options);
    ASSERT_EQ(2, options->GetCount());
    EXPECT_EQ("-DX", options->GetText(0));
    EXPECT_EQ("-I /x y", options->GetText(1));
    EXPECT_EQ(0, doc.Evaluate("/project/nothing")->GetCount());
    EXPECT_EQ(-1, doc.Evaluate("count(/project)")->GetCount());
    EXPECT_FALSE(doc.Evaluate("///not xpath"));
    EXPECT_EQ("", doc.Evaluate("/project/settings/@empty")->GetText(0));
    float value = 5;
    EXPECT_FALSE(doc.GetFloat("/project/missing/@x", value));
    EXPECT_EQ(5, value);
    EXPECT_THROW(CXmlDocument("absent.xml"), const char*);
}
