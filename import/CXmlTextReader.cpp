#include "import/CXmlTextReader.h"

#include "base/CError.h"
#include "base/CXmlDocument.h"

#include <libxml/xmlversion.h>

namespace {

// No network, no entity substitution, no diagnostics on standard error, full line numbers, and
// no nodes for the blanks between tags (nothing reads them; making them costs a node each).
const int ReaderOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                          XML_PARSE_BIG_LINES | XML_PARSE_NOBLANKS;

const int ElementStart = 1; // xmlTextReaderNodeType of an element's start tag

} // namespace

CXmlTextReader::CXmlTextReader(std::string fileName)
    : Reader(nullptr), FileName(std::move(fileName)) {
    xmlCheckVersion(20612);
    Reader = Open();
    if (Reader == nullptr)
        throw CError("Could not open Xml file");
}

xmlTextReaderPtr CXmlTextReader::Open() {
    xmlTextReaderPtr reader = xmlReaderForFile(FileName.c_str(), nullptr, ReaderOptions);
    if (reader != nullptr)
        xmlTextReaderSetStructuredErrorHandler(reader, KeepFirstError, this);
    return reader;
}

void CXmlTextReader::KeepFirstError(void* reader, xmlErrorPtr error) {
    auto* self = static_cast<CXmlTextReader*>(reader);
    if (error != nullptr && error->level >= XML_ERR_ERROR && self->Error.empty()) {
        self->Error = XmlErrorText(*error);
        self->ErrorLine = error->line;
    }
}

CXmlTextReader::~CXmlTextReader() {
    xmlFreeTextReader(Reader);
}

bool CXmlTextReader::Restart() {
    ReadFailed = false;
    Error.clear();
    ErrorLine = 0;
    // A new reader rather than the old one reset (xmlReaderNewFile): libxml2 2.9 does not
    // detect the encoding of a UTF-16 file again in a reset reader.
    xmlTextReaderPtr fresh = Open();
    if (fresh == nullptr)
        return false;
    xmlFreeTextReader(Reader);
    Reader = fresh;
    return true;
}

int CXmlTextReader::Checked(int result) {
    if (result < 0)
        ReadFailed = true;
    return result;
}

int CXmlTextReader::Read() {
    return Checked(xmlTextReaderRead(Reader));
}

std::string CXmlTextReader::GetName() const {
    const xmlChar* name = xmlTextReaderConstName(Reader);
    return name != nullptr ? reinterpret_cast<const char*>(name) : std::string();
}

std::string CXmlTextReader::GetAttribute(const char* name) const {
    xmlChar* value = xmlTextReaderGetAttribute(Reader, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr)
        return std::string();
    std::string text = reinterpret_cast<const char*>(value);
    xmlFree(value);
    return text;
}

int CXmlTextReader::ReadToDepth(int depth) {
    for (;;) {
        int result = Read();
        if (result != 1)
            return result;
        if (xmlTextReaderNodeType(Reader) == ElementStart && xmlTextReaderDepth(Reader) == depth)
            return 1;
    }
}

xmlNodePtr CXmlTextReader::Expand() {
    xmlNodePtr node = xmlTextReaderExpand(Reader);
    if (node == nullptr)
        ReadFailed = true;
    return node;
}

int CXmlTextReader::CurrentLine() {
    if (!ReadFailed) {
        xmlNodePtr node = Expand();
        if (node != nullptr)
            return LineOf(node);
    }
    return xmlTextReaderGetParserLineNumber(Reader);
}

int CXmlTextReader::LineOf(xmlNodePtr node) {
    return static_cast<int>(xmlGetLineNo(node));
}
