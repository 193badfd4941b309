#pragma once

#include "import/CElementRecords.h"

#include <cstdint>
#include <libxml/tree.h>
#include <memory>
#include <string>
#include <vector>

class CLogFile;
class CModelBuilder;
class CPEContainer;
class CProgram;
class CType;
class CXmlTextReader;
class IProgress;

// The two passes over a front-end (GCC-XML format) file. Pass one reads the file, creates one
// model object per element below the root, files it by its id number and keeps a copy of what
// pass two needs of the element; pass two goes over those copies, resolves the references
// between the objects and hands every object to its owner in the model. Failures are written to the
// log. A parser is used for one file.
class CGccXmlParser {
public:
    // xml is open on the file, positioned at its root (borrowed); fileSize is its size in bytes
    // (0 when unknown), which bounds the id numbers and drives the progress estimate. log and
    // progress are borrowed; progress may be null.
    CGccXmlParser(CXmlTextReader& xml, std::uint64_t fileSize, CLogFile& log, IProgress* progress);
    ~CGccXmlParser();
    CGccXmlParser(const CGccXmlParser&) = delete;
    CGccXmlParser& operator=(const CGccXmlParser&) = delete;

    // Both passes. Returns the linked model, not yet sized; null on failure, after logging the
    // line where reading stopped (nothing of the partial model is left).
    std::unique_ptr<CProgram> Parse();
    // Why Parse failed, on one line: libxml2's first error with its line, else the parser's
    // first log entry with the line where reading stopped; empty when it did not fail.
    const std::string& GetFailure() const { return Failure; }

private:
    // Writes an error entry to the log and keeps the first one.
    void Error(const std::string& heading, const std::string& detail);
    // The "Error in xml file" entry: the tag immediately followed by the element's id text.
    void LogXmlError(const CElementRecords::CElement& node, const char* tag);
    // Pass one: creates and files one object per element below the root, and records it.
    bool ReadNodes();
    // Creates the model object for one element of pass one and files it; tag is the number of
    // its tag in the parser's tag table (-1: unknown). False for an id without a number or an
    // unknown tag.
    bool CreateElement(xmlNodePtr node, int tag);
    // Pass two: resolves the references of every recorded element and links it into the model.
    bool ConnectNodes();
    // Pass two for one element; false when the element cannot be linked.
    bool LinkNode(const CElementRecords::CElement& node, const char* tag);
    // Every function kind.
    bool LinkFunction(const CElementRecords::CElement& node, const char* tag);
    // Fields and variables.
    bool LinkField(const CElementRecords::CElement& node, const char* tag);
    // Typedefs and enumerations.
    bool LinkScopedType(const CElementRecords::CElement& node, const char* tag);
    // Derived types: their base is the type named by baseAttribute.
    bool LinkDerivedType(const CElementRecords::CElement& node, const char* tag,
                         CElementRecords::EAttribute baseAttribute);
    // Classes, structs and unions into their context with their bases; false when an attribute
    // is missing or a reference does not resolve (the caller logs the entry). A class declared
    // in a function (a lambda's closure type, a local class) goes into the namespace or class
    // enclosing that function; a class with a file but no context (the front end leaves the
    // context out when it leaves out the enclosing function) goes into the global namespace.
    bool LinkClass(const CElementRecords::CElement& node, int number, const char* tag);
    // Namespaces: into their parent namespace, or at the top level of the program.
    bool LinkNamespace(const CElementRecords::CElement& node, const char* tag);
    // The types of the element's Argument children, in order; an argument whose type does not
    // resolve is a null entry. Stops at the first Argument without a type.
    std::vector<CType*> ReadArguments(const CElementRecords::CElement& node);
    // The scope a class whose context is the id number belongs to: the namespace or class of
    // that number, or, for a function, the scope of the function's own context, found through
    // the contexts pass one recorded (the function may not be linked yet). Null when the walk
    // meets anything else, or more than MaxNestingDepth functions (a chain or loop of functions,
    // which the front end never writes).
    CPEContainer* EnclosingScope(int number) const;
    // The file of a file reference ("f" and the index of the File element); null when none.
    class CSourceFile* ResolveFile(const char* fileText) const;
    // Records the context id number of the function of number (NoContext: none).
    void SetFunctionContext(int number, int context);
    // Moves the gauge for the element on line, at most about thirty times per pass: from
    // start by span times the part of the file read so far, capped at cap.
    void ReportProgress(int line, float start, float span, float cap);

    CXmlTextReader& Xml;
    std::uint64_t MaxIdNumber; // an id number takes up bytes: none exceeds the file's size
    std::uint32_t FileSize;
    CLogFile& Log;
    IProgress* Progress; // borrowed; may be null
    std::unique_ptr<CModelBuilder> Builder;
    int LineEstimate = 0; // lines of the file being read, estimated from its size
    int LastReported = 0; // line of the last progress report of the current pass
    // Pass one's record of the context id number of every function element (slot n: the
    // function of id n; NoContext for none), and the id number of the first namespace named
    // "::" (-1 when none): what a class declared in a function, or written without a context,
    // is linked by.
    static constexpr int NoContext = -1;
    std::vector<int> FunctionContexts;
    int GlobalNamespace = -1;
    CElementRecords Records; // pass one's copy of every element, in document order
    int LinkFailedLine = -1; // the line of the element pass two could not link; -1: none
    std::string FirstError;  // "heading: detail" of the first error entry
    std::string Failure;     // see GetFailure
};
