#pragma once

#include "base/CXPathResult.h"

#include <libxml/tree.h>
#include <memory>
#include <string>

// One parsed XML file, queried by XPath. Used for the settings file and the project file.
class CXmlDocument {
public:
    // Parses the file; throws CError "Invalid file or xml document" on failure.
    explicit CXmlDocument(std::string fileName);
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
    // The first node's text of an XPath expression; false when it selects nothing.
    bool GetFirstText(const std::string& xpath, std::string& text);

    xmlDocPtr Doc; // owned
    std::string FileName;
};
