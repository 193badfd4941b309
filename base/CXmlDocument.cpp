#include "base/CXmlDocument.h"

#include "base/CError.h"
#include "base/ReplaceFile.h"

#include <cstdlib>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <strings.h>

CXmlDocument::CXmlDocument(std::string fileName) : Doc(nullptr), FileName(std::move(fileName)) {
    xmlInitParser();
    LIBXML_TEST_VERSION
    // No network access and no diagnostics on standard error: a failure is reported to the
    // caller by the thrown error alone.
    Doc = xmlReadFile(FileName.c_str(), nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (Doc == nullptr)
        throw CError("Invalid file or xml document");
}

CXmlDocument::~CXmlDocument() {
    xmlFreeDoc(Doc);
}

int CXmlDocument::Save() {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemory(Doc, &text, &size, 1);
    std::unique_ptr<xmlChar, void (*)(void*)> owned(text, xmlFree);
    if (text == nullptr || size < 0 || !ReplaceFile(FileName, text, static_cast<std::size_t>(size)))
        throw CError("error saving configuration file");
    return size;
}

std::unique_ptr<CXPathResult> CXmlDocument::Evaluate(const std::string& xpath) {
    xmlXPathContextPtr context = xmlXPathNewContext(Doc);
    if (context == nullptr)
        return nullptr;
    xmlXPathObjectPtr object =
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context);
    xmlXPathFreeContext(context);
    if (object == nullptr)
        return nullptr;
    return std::make_unique<CXPathResult>(object);
}

bool CXmlDocument::GetFirstText(const std::string& xpath, std::string& text) {
    std::unique_ptr<CXPathResult> result = Evaluate(xpath);
    if (!result || result->GetCount() <= 0)
        return false;
    text = result->GetText(0);
    return true;
}

bool CXmlDocument::GetBool(const std::string& xpath, bool& value) {
    std::string text;
    if (!GetFirstText(xpath, text))
        return false;
    value = strcasecmp(text.c_str(), "true") == 0;
    return true;
}

bool CXmlDocument::GetFloat(const std::string& xpath, float& value) {
    std::string text;
    if (!GetFirstText(xpath, text))
        return false;
    value = static_cast<float>(std::atof(text.c_str()));
    return true;
}
