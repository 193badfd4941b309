#pragma once

#include "base/CError.h"
#include "base/CXPathResult.h"

#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <memory>
#include <string>

// The failure to parse an XML document: the text "Invalid file or xml document", and apart
// from it what the parser said and where.
class CXmlParseError : public CError {
public:
    explicit CXmlParseError(std::string detail)
        : CError("Invalid file or xml document"), Detail(std::move(detail)) {}

    std::string Detail; // XmlErrorText of the parser's first error; empty when it gave none
};

// A parser error as the user reads it: "Line <n>: <message>" ("<message>" alone when the error
// has no line), on one line.
std::string XmlErrorText(const xmlError& error);

// One parsed XML file, queried by XPath. Used for the settings file and the project file.
class CXmlDocument {
public:
    // Parses the file; throws CXmlParseError on failure. Nothing is printed.
    explicit CXmlDocument(std::string fileName);
    // Parses text, a whole document held in memory, into a document that saves under fileName;
    // throws CXmlParseError on failure.
    CXmlDocument(const std::string& text, std::string fileName);
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Writes the document to its file, indented, replacing the file in one step: when the
    // write fails the file keeps its old contents byte for byte, and the CError "error saving
    // configuration file" is thrown. Returns the number of bytes written.
    int Save();

    // Evaluates an XPath expression over the whole document; null when the evaluation fails.
    std::unique_ptr<CXPathResult> Evaluate(const std::string& xpath);

    // Reads the first node's text as a boolean ("true" in any letter case is true, anything
    // else false). Returns whether a node was found; value is untouched when not.
    bool GetBool(const std::string& xpath, bool& value);

    // Reads the first node's text with atof. Returns whether a node was found.
    bool GetFloat(const std::string& xpath, float& value);

    const std::string& GetFileName() const { return FileName; }
    // Makes Save write to another file from now on; the document stays as it was read.
    void SetFileName(std::string fileName) { FileName = std::move(fileName); }

private:
    // Parses with read (a libxml2 call on a parser context) and keeps the document; throws
    // CXmlParseError with the parser's first error when read gives none.
    template <class Read> void Parse(Read read);
    // The first node's text of an XPath expression; false when it selects nothing.
    bool GetFirstText(const std::string& xpath, std::string& text);

    xmlDocPtr Doc; // owned
    std::string FileName;
};
