#include "base/CXmlDocument.h"

#include "base/CError.h"
#include "base/ReplaceFile.h"

#include <cstdlib>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xpath.h>
#include <strings.h>

namespace {

// No network access and no diagnostics on standard error: a failure is reported to the caller
// by the thrown error alone.
const int ParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// The parser's structured error handler: keeps the first error's text (warnings are ignored)
// in the string that the context's _private names.
void KeepFirstError(void* context, xmlErrorPtr error) {
    auto* first = static_cast<std::string*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    if (first != nullptr && first->empty() && error != nullptr && error->level >= XML_ERR_ERROR)
        *first = XmlErrorText(*error);
}

} // namespace

std::string XmlErrorText(const xmlError& error) {
    std::string message = error.message != nullptr ? error.message : "Unknown error";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    if (error.line <= 0)
        return message;
    return "Line " + std::to_string(error.line) + ": " + message;
}

template <class Read> void CXmlDocument::Parse(Read read) {
    xmlInitParser();
    LIBXML_TEST_VERSION
    std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(),
                                                                       xmlFreeParserCtxt);
    if (!context)
        throw CXmlParseError("");
    std::string first;
    context->_private = &first;
    context->sax->serror = KeepFirstError; // userData is the context itself
    Doc = read(context.get());
    if (Doc == nullptr)
        throw CXmlParseError(first);
}

CXmlDocument::CXmlDocument(std::string fileName) : Doc(nullptr), FileName(std::move(fileName)) {
    Parse([this](xmlParserCtxtPtr context) {
        return xmlCtxtReadFile(context, FileName.c_str(), nullptr, ParseOptions);
    });
}

CXmlDocument::CXmlDocument(const std::string& text, std::string fileName)
    : Doc(nullptr), FileName(std::move(fileName)) {
    Parse([&text](xmlParserCtxtPtr context) {
        return xmlCtxtReadMemory(context, text.data(), static_cast<int>(text.size()), nullptr,
                                 nullptr, ParseOptions);
    });
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
