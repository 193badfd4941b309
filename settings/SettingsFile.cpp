#include "settings/SettingsFile.h"

#include "base/CError.h"
#include "base/CXmlDocument.h"
#include "base/IMessageBox.h"
#include "base/StringPrintf.h"
#include "base/XmlAttributes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

const char* const DefaultSettingsFile = "settings.cfg";

// The settings file the program comes with, every key at its default.
const char* const DefaultSettingsDocument = R"(<?xml version="1.0"?>
<settings>
  <renderer>
    <display_lists enabled="true"/>
    <pixel_shader enabled="true"/>
  </renderer>
  <layout>
    <function_argument area="0.3"/>
    <file_group area="0.6"/>
    <children area="0.9"/>
    <group_squares enabled="true"/>
    <border width="0.005" containers_only="true"/>
  </layout>
  <looks>
    <shader ambient="0.3" specular="0.9"/>
    <cushion f="0.55" h="4.88"/>
    <labels enabled="true" size="12"/>
    <colors>
      <variable red="153" green="0" blue="191" alpha="255"/>
      <variable_border red="102" green="0" blue="140" alpha="255"/>
      <function red="0" green="128" blue="0" alpha="255"/>
      <function_border red="0" green="64" blue="0" alpha="255"/>
      <program red="0" green="0" blue="255" alpha="255"/>
      <program_border red="0" green="0" blue="179" alpha="255"/>
      <method red="0" green="128" blue="0" alpha="255"/>
      <method_border red="0" green="64" blue="0" alpha="255"/>
      <field red="153" green="0" blue="191" alpha="255"/>
      <field_border red="102" green="0" blue="140" alpha="255"/>
      <class red="51" green="0" blue="255" alpha="255"/>
      <class_border red="26" green="0" blue="179" alpha="255"/>
      <namespace red="0" green="255" blue="0" alpha="255"/>
      <namespace_border red="0" green="128" blue="0" alpha="255"/>
      <file red="191" green="64" blue="0" alpha="255"/>
      <file_border red="128" green="64" blue="0" alpha="255"/>
      <member_type red="255" green="255" blue="128" alpha="128"/>
      <member_type_border red="204" green="204" blue="102" alpha="255"/>
      <type red="255" green="255" blue="128" alpha="128"/>
      <type_border red="204" green="204" blue="102" alpha="255"/>
      <enum red="255" green="255" blue="128" alpha="128"/>
      <enum_border red="204" green="204" blue="102" alpha="255"/>
      <file_group red="64" green="64" blue="64" alpha="255"/>
      <function_group red="204" green="204" blue="102" alpha="255"/>
      <field_group red="204" green="204" blue="102" alpha="255"/>
      <type_group red="204" green="204" blue="102" alpha="255"/>
      <namespace_group red="204" green="204" blue="102" alpha="255"/>
    </colors>
  </looks>
  <frontend jobs="0" query_driver=""/>
</settings>
)";

namespace {

// "settings.cfg" read into a document that saves under saveAs; the default document when there
// is no "settings.cfg". Null when it exists but cannot be read; throws CError "Invalid file or
// xml document" when it is not well-formed.
std::unique_ptr<CXmlDocument> SettingsDocument(const std::string& saveAs) {
    std::error_code error;
    if (!std::filesystem::exists(DefaultSettingsFile, error) && !error)
        return std::make_unique<CXmlDocument>(DefaultSettingsDocument, saveAs);
    if (!std::ifstream(DefaultSettingsFile))
        return nullptr;
    auto document = std::make_unique<CXmlDocument>(DefaultSettingsFile);
    document->SetFileName(saveAs);
    return document;
}

// A colour component as the file writes it (0 to 255) turned into 0 to 1.
float ColorComponent(const std::string& text) {
    int value = std::abs(std::atoi(text.c_str()) % 256);
    return static_cast<float>(value) * 0.003921569f;
}

struct ColorKey {
    const char* Key;
    CColor CLooksSettings::*Field;
};

// The colours the file holds, in the order they are read.
const ColorKey ColorKeys[] = {
    {"variable", &CLooksSettings::VariableColor},
    {"variable_border", &CLooksSettings::VariableBorderColor},
    {"function", &CLooksSettings::FunctionColor},
    {"function_border", &CLooksSettings::FunctionBorderColor},
    {"program", &CLooksSettings::ProgramColor},
    {"program_border", &CLooksSettings::ProgramBorderColor},
    {"method", &CLooksSettings::MethodColor},
    {"method_border", &CLooksSettings::MethodBorderColor},
    {"field", &CLooksSettings::FieldColor},
    {"field_border", &CLooksSettings::FieldBorderColor},
    {"class", &CLooksSettings::ClassColor},
    {"class_border", &CLooksSettings::ClassBorderColor},
    {"namespace", &CLooksSettings::NamespaceColor},
    {"namespace_border", &CLooksSettings::NamespaceBorderColor},
    {"file", &CLooksSettings::FileColor},
    {"file_border", &CLooksSettings::FileBorderColor},
    {"member_type", &CLooksSettings::MemberTypeColor},
    {"member_type_border", &CLooksSettings::MemberTypeBorderColor},
    {"type", &CLooksSettings::TypeColor},
    {"type_border", &CLooksSettings::TypeBorderColor},
    {"enum", &CLooksSettings::EnumColor},
    {"enum_border", &CLooksSettings::EnumBorderColor},
    {"file_group", &CLooksSettings::FileGroupColor},
    {"function_group", &CLooksSettings::FunctionGroupColor},
    {"field_group", &CLooksSettings::FieldGroupColor},
    {"type_group", &CLooksSettings::TypeGroupColor},
    {"namespace_group", &CLooksSettings::NamespaceGroupColor},
};

// The border width in thousandths, truncated toward zero: the whole-number width kept beside
// it. A width whose thousandths lie past the range of int gives the nearest end of that range,
// one that is not a number gives 0 (the conversion itself would be undefined).
int Thousandths(float width) {
    double value = static_cast<double>(width) * 1000;
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

std::string DecimalText(float value) {
    char buffer[64];
    return gcvt(value, 4, buffer);
}

const char* BoolText(bool value) {
    return value ? "true" : "false";
}

// Sets attributes on the first node the xpath selects; does nothing when it selects none.
void SetAttributes(CXmlDocument& document, const char* xpath,
                   std::initializer_list<std::pair<const char*, std::string>> attributes) {
    std::unique_ptr<CXPathResult> result = document.Evaluate(xpath);
    if (!result || result->GetCount() <= 0)
        return;
    xmlNodePtr node = result->GetNode(0);
    for (const auto& attribute : attributes) {
        xmlSetProp(node, reinterpret_cast<const xmlChar*>(attribute.first),
                   reinterpret_cast<const xmlChar*>(attribute.second.c_str()));
    }
}

// Writes the labels element of the looks. A file written before labels existed has none; it
// gets one only when the labels differ from the defaults, so that saving unchanged settings
// leaves such a file as it was.
void SaveLabels(CXmlDocument& document, const CLooksSettings& looks) {
    std::string size = std::to_string(looks.LabelSize);
    std::unique_ptr<CXPathResult> labels = document.Evaluate("/settings/looks/labels");
    if (labels && labels->GetCount() > 0) {
        SetAttributes(document, "/settings/looks/labels",
                      {{"enabled", BoolText(looks.Labels)}, {"size", size}});
        return;
    }
    const CLooksSettings defaults;
    std::unique_ptr<CXPathResult> parent = document.Evaluate("/settings/looks");
    if ((looks.Labels == defaults.Labels && looks.LabelSize == defaults.LabelSize) || !parent ||
        parent->GetCount() <= 0)
        return;
    xmlNodePtr node = xmlNewChild(parent->GetNode(0), nullptr,
                                  reinterpret_cast<const xmlChar*>("labels"), nullptr);
    xmlSetProp(node, reinterpret_cast<const xmlChar*>("enabled"),
               reinterpret_cast<const xmlChar*>(BoolText(looks.Labels)));
    xmlSetProp(node, reinterpret_cast<const xmlChar*>("size"),
               reinterpret_cast<const xmlChar*>(size.c_str()));
}

} // namespace

bool ReadColor(CXmlDocument& document, const std::string& xpath, CColor& color) {
    std::unique_ptr<CXPathResult> result = document.Evaluate(xpath);
    if (!result || result->GetCount() <= 0)
        return false;
    xmlNodePtr node = result->GetNode(0);
    std::string red, green, blue, alpha;
    if (GetAttribute(node, "red", red) == nullptr ||
        GetAttribute(node, "green", green) == nullptr ||
        GetAttribute(node, "blue", blue) == nullptr)
        return false;
    if (GetAttribute(node, "alpha", alpha) == nullptr)
        alpha = "1.0";
    color.Red = ColorComponent(red);
    color.Green = ColorComponent(green);
    color.Blue = ColorComponent(blue);
    color.Alpha = ColorComponent(alpha);
    return true;
}

bool ReadSettings(CLayoutSettings& layout, CLooksSettings& looks, const std::string& fileName) {
    layout = CLayoutSettings();
    looks = CLooksSettings();
    std::unique_ptr<CXmlDocument> document;
    try {
        document = std::make_unique<CXmlDocument>(fileName);
    } catch (const CError&) {
        return false;
    }
    CXmlDocument& doc = *document;
    doc.GetBool("/settings/renderer/display_lists/@enabled", looks.DisplayLists);
    doc.GetBool("/settings/renderer/pixel_shader/@enabled", looks.RenderCushions);
    doc.GetFloat("/settings/layout/function_argument/@area", layout.ArgAreaFactor);
    doc.GetFloat("/settings/layout/file_group/@area", layout.FileAreaFactor);
    doc.GetFloat("/settings/layout/children/@area", layout.ChildAreaFactor);
    doc.GetBool("/settings/layout/group_squares/@enabled", layout.Subdivide);
    if (doc.GetFloat("/settings/layout/border/@width", layout.BorderWidth))
        looks.DynamicBorderWidth = Thousandths(layout.BorderWidth);
    doc.GetBool("/settings/layout/border/@containers_only", layout.ContainerBordersOnly);
    doc.GetFloat("/settings/looks/shader/@ambient", looks.AmbientLight);
    doc.GetFloat("/settings/looks/shader/@specular", looks.SpecularLight);
    doc.GetFloat("/settings/looks/cushion/@f", looks.CushionF);
    doc.GetFloat("/settings/looks/cushion/@h", looks.CushionH);
    doc.GetBool("/settings/looks/labels/@enabled", looks.Labels);
    float labelSize = 0;
    if (doc.GetFloat("/settings/looks/labels/@size", labelSize) && labelSize >= 4 &&
        labelSize <= 128)
        looks.LabelSize = static_cast<int>(labelSize);
    for (const ColorKey& key : ColorKeys)
        ReadColor(doc, std::string("/settings/looks/colors/") + key.Key, looks.*key.Field);
    return true;
}

bool ReadFrontEndSettings(CFrontEndSettings& frontEnd, const std::string& fileName) {
    std::string cache = frontEnd.CacheDirectory;
    frontEnd = CFrontEndSettings();
    frontEnd.CacheDirectory = cache;
    std::unique_ptr<CXmlDocument> document;
    try {
        document = std::make_unique<CXmlDocument>(fileName);
    } catch (const CError&) {
        return false;
    }
    std::unique_ptr<CXPathResult> jobs = document->Evaluate("/settings/frontend/@jobs");
    if (jobs && jobs->GetCount() > 0) {
        std::string text = jobs->GetText(0);
        char* end = nullptr;
        long value = std::strtol(text.c_str(), &end, 10);
        if (!text.empty() && *end == '\0' && value >= 0 && value <= 1024)
            frontEnd.Jobs = static_cast<int>(value);
    }
    std::unique_ptr<CXPathResult> drivers = document->Evaluate("/settings/frontend/@query_driver");
    if (drivers && drivers->GetCount() > 0) {
        std::string text = drivers->GetText(0);
        std::string::size_type start = 0;
        while (start <= text.size()) {
            std::string::size_type comma = std::min(text.find(',', start), text.size());
            std::string glob = text.substr(start, comma - start);
            glob.erase(0, glob.find_first_not_of(" \t"));
            glob.erase(glob.find_last_not_of(" \t") + 1);
            if (!glob.empty())
                frontEnd.QueryDrivers.push_back(glob);
            start = comma + 1;
        }
    }
    std::unique_ptr<CXPathResult> element = document->Evaluate("/settings/frontend");
    return element && element->GetCount() > 0;
}

std::unique_ptr<CXmlDocument> CopySettingsFile(const std::string& fileName) {
    // The copy is made in memory and reaches the disk only when it is saved, in one step, so
    // that a failed save leaves an existing file of that name as it was.
    return SettingsDocument(fileName);
}

bool SaveSettings(CLayoutSettings layout, CLooksSettings looks, std::string fileName,
                  IMessageBox& messages) {
    try {
        std::unique_ptr<CXmlDocument> document;
        if (fileName.empty()) {
            // A missing file is made from the default document, in the same one-step save.
            document = SettingsDocument(DefaultSettingsFile);
            if (!document)
                throw CError("Invalid file or xml document");
        } else {
            document = CopySettingsFile(fileName);
            if (!document)
                throw CError("Error writing new config file");
        }
        CXmlDocument& doc = *document;
        SetAttributes(doc, "/settings/renderer/pixel_shader",
                      {{"enabled", BoolText(looks.RenderCushions)}});
        SetAttributes(doc, "/settings/layout/function_argument",
                      {{"area", DecimalText(layout.ArgAreaFactor)}});
        SetAttributes(doc, "/settings/layout/file_group",
                      {{"area", DecimalText(layout.FileAreaFactor)}});
        SetAttributes(doc, "/settings/layout/children",
                      {{"area", DecimalText(layout.ChildAreaFactor)}});
        SetAttributes(doc, "/settings/layout/group_squares",
                      {{"enabled", BoolText(layout.Subdivide)}});
        SetAttributes(doc, "/settings/layout/border",
                      {{"width", DecimalText(layout.BorderWidth)},
                       {"containers_only", BoolText(layout.ContainerBordersOnly)}});
        SetAttributes(doc, "/settings/looks/cushion",
                      {{"f", DecimalText(looks.CushionF)}, {"h", DecimalText(looks.CushionH)}});
        SetAttributes(doc, "/settings/looks/shader",
                      {{"ambient", DecimalText(looks.AmbientLight)},
                       {"specular", DecimalText(looks.SpecularLight)}});
        SaveLabels(doc, looks);
        doc.Save();
        return true;
    } catch (const CError& error) {
        messages.ShowMessage(error.what(), "Parser error");
        return false;
    }
}

std::string DumpLayoutSettings(const CLayoutSettings& layout) {
    return StringPrintf(" \t\tbool UseFunctionLength %i\n", layout.UseFunctionLength) +
           StringPrintf(" \t\tbool Subdivide %i\n", layout.Subdivide) +
           StringPrintf(" \t\tbool ContainerBordersOnly %i\n", layout.ContainerBordersOnly) +
           StringPrintf(" \t\tfloat BorderWidth %.4f\n", layout.BorderWidth) +
           StringPrintf(" \t\tfloat FileAreaFactor %.4f\n", layout.FileAreaFactor) +
           StringPrintf(" \t\tfloat ArgAreaFactor %.4f\n", layout.ArgAreaFactor) +
           StringPrintf(" \t\tfloat ChildAreaFactor %.4f\n", layout.ChildAreaFactor);
}

std::string DumpLooksSettings(const CLooksSettings& looks) {
    return StringPrintf("  \t\tbool DisplayLists %i\n", looks.DisplayLists) +
           StringPrintf(" \t\tbool RenderCushions %i\n", looks.RenderCushions) +
           StringPrintf(" \t\tint DynamicBorderWidth %i\n", looks.DynamicBorderWidth) +
           StringPrintf(" \t\tfloat CushionF %.4f\n", looks.CushionF) +
           StringPrintf(" \t\tfloat CushionH %.4f\n", looks.CushionH) +
           StringPrintf(" \t\tfloat AmbientLight %.4f\n", looks.AmbientLight) +
           StringPrintf(" \t\tfloat SpecularLight %.4f\n", looks.SpecularLight) +
           StringPrintf(" \t\tfloat RealSpecularLight %.4f\n", looks.RealSpecularLight) +
           StringPrintf(" \t\tfloat LightX %.4f\n", looks.LightX) +
           StringPrintf(" \t\tfloat LightY %.4f\n", looks.LightY);
}
