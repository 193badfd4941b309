#pragma once

#include <libxml/xmlreader.h>
#include <string>

// A thin owner of one libxml2 streaming text reader on a file. The file is read without
// network access and without entity substitution; parser diagnostics are not printed but the
// first error is kept (GetError), line numbers past 65535 are kept, and text that is only blanks
// between tags is not reported.
class CXmlTextReader {
public:
    // Opens the file; throws CError "Could not open Xml file" when libxml2
    // cannot open it.
    explicit CXmlTextReader(std::string fileName);
    ~CXmlTextReader();
    CXmlTextReader(const CXmlTextReader&) = delete;
    CXmlTextReader& operator=(const CXmlTextReader&) = delete;

    // Starts reading the same file again from its beginning; trees from Expand become invalid.
    // Returns false (and keeps the old position) when the file can no longer be opened.
    bool Restart();

    // Reads one node. Returns 1 on success, 0 at the end of the document, -1 on a read error.
    int Read();

    // The name of the current node (a tag, "#text", "#comment", ...); empty when there is none.
    std::string GetName() const;

    // The value of an attribute of the current node; empty when it has none of that name.
    std::string GetAttribute(const char* name) const;

    // Reads on until the start of an element at exactly depth. Returns 1 when one is found,
    // 0 when the document ends and -1 on a read error (the scan stops there).
    int ReadToDepth(int depth);

    // The current node as read so far: an element with its attributes, its children not yet
    // read. The reader owns it; it stays valid until the next read.
    xmlNodePtr Current() const { return xmlTextReaderCurrentNode(Reader); }

    // The current node expanded into a tree with all its children; null on a read error.
    // The reader owns the tree; it stays valid until the next read.
    xmlNodePtr Expand();

    // The line of the current node, as stored in its expanded tree; after a read error, the
    // line the parser has reached, where the fault lies (the current node lies before it).
    int CurrentLine();

    const std::string& GetFileName() const { return FileName; }
    // The parser's first error since the reader was made or restarted, as XmlErrorText gives
    // it ("Line <n>: <message>"); empty when there was none.
    const std::string& GetError() const { return Error; }
    // The line of that error; 0 when there was none.
    int GetErrorLine() const { return ErrorLine; }

    // The line libxml2 recorded for a parsed node.
    static int LineOf(xmlNodePtr node);

private:
    // Notes a read error when result is negative; returns result.
    int Checked(int result);
    // Opens the file in a new libxml2 reader that reports its errors to this object; null
    // when libxml2 cannot open it.
    xmlTextReaderPtr Open();
    // The reader's structured error handler: keeps the first error (warnings are ignored).
    static void KeepFirstError(void* reader, xmlErrorPtr error);

    xmlTextReaderPtr Reader; // owned
    std::string FileName;
    bool ReadFailed = false; // a read or an expansion failed since the last start
    std::string Error;       // the first parser error since the last start
    int ErrorLine = 0;       // its line
};
