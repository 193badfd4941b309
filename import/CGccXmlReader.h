#pragma once

#include <cstdint>
#include <libxml/tree.h>
#include <memory>
#include <string>
#include <vector>

class CClassType;
class CPEContainer;
class CProgram;
class CProgramElement;
class CSourceFile;
class CType;
class CXmlTextReader;
class IProgress;

// Reads one file into a program model: a project file is first compiled with the front end
// and its output read; a front-end (GCC-XML format) file is read directly, in two passes. Pass
// one creates one model object per element below the root and files it by its id number;
// pass two resolves the references between them and hangs every object into the model.
// Failures are written to the log. A reader is used for one load.
class CGccXmlReader {
public:
    // program: the empty model to fill (borrowed; on a failed load the reader deletes what it
    // put there). progress: where progress is reported (borrowed; may be null).
    CGccXmlReader(std::string fileName, CProgram* program, IProgress* progress);
    ~CGccXmlReader();
    CGccXmlReader(const CGccXmlReader&) = delete;
    CGccXmlReader& operator=(const CGccXmlReader&) = delete;

    // Opens the file and reads it by its root element. Returns whether the model is complete;
    // on false the program holds nothing. May throw the character strings "Could not open Xml
    // file" (a project's front end wrote no output) and "Invalid file or xml document" (a
    // project file that is not well-formed).
    bool Load();

    // Both passes over the file Xml is open on. On failure logs the line where reading stopped
    // and deletes every object the passes created, leaving the program empty.
    bool Parse();

    // Pass one: creates and files one object per element below the root.
    bool ReadNodes();

    // Creates the model object for one element of pass one (expanded node) and files it;
    // false for an id without a number or an unknown tag. The object belongs to the
    // program's lists (types without a scope, files) or, once linked, to its scope.
    bool CreateElement(xmlNodePtr node);

    // Pass two: resolves the references of every element and links it into the model.
    bool ConnectNodes();

    // Links one class, struct or union into its context with its bases; false when an
    // attribute is missing or a reference does not resolve (the caller logs the entry).
    bool LinkClass(xmlNodePtr node, CClassType* self, std::string tag);

    // The types of the element's Argument children, in order; an argument whose type does not
    // resolve is a null entry. Stops at the first Argument without a type.
    std::vector<CType*> ReadArguments(xmlNodePtr node);

    // Runs the front end named by the project file (FileName), then reads its output file.
    // False when the project lacks the front end or the output file; may throw as Load does.
    bool CompileProject();

    // The deepest nesting a load accepts (NestingDepth of the model: scopes inside scopes, and
    // chains of classes sized through the types of their fields and arguments). The layout,
    // the search, the sizing and the destruction of the model recurse once or a few times per
    // level; this limit keeps them well inside the stack of the program (with room to spare in
    // the sanitizer build) while lying far beyond real code, whose scopes nest a few levels
    // deep (compilers need only support 256 levels of nested classes).
    static constexpr int MaxNestingDepth = 1000;

private:
    // Pass two for one element; false when the element cannot be linked.
    bool LinkNode(xmlNodePtr node, const std::string& tag);
    // Every function kind.
    bool LinkFunction(xmlNodePtr node, const std::string& tag);
    // Fields and variables.
    bool LinkField(xmlNodePtr node, const std::string& tag);
    // Typedefs and enumerations.
    bool LinkScopedType(xmlNodePtr node, const std::string& tag);
    // Derived types: their base is the type named by baseAttribute.
    bool LinkDerivedType(xmlNodePtr node, const std::string& tag, const char* baseAttribute);
    // Namespaces: into their parent namespace, or at the top level of the program.
    bool LinkNamespace(xmlNodePtr node, const std::string& tag);

    // Stores an element under its id number, growing the table by half again when needed.
    // An element not yet in any model list that the new one replaces is deleted.
    void FileNode(int number, CProgramElement* element);
    // The filed element of an id text / number as T; null when out of range, empty or of
    // another class.
    template <class T> T* Resolve(const std::string& idText) const;
    template <class T> T* ResolveNumber(int number) const;
    // The file of a file reference ("f" and the index of the File element); null when none.
    CSourceFile* ResolveFile(const std::string& fileText) const;
    // Whether element may get its owner now. False when it has one already, or when, as a
    // scope, it would end up inside itself (context is itself or lies inside it) or more than
    // MaxNestingDepth scopes deep (logged).
    bool TakeOwnership(CProgramElement* element, CPEContainer* context);
    // False, with a log entry, when the linked model nests deeper than MaxNestingDepth.
    bool CheckNesting();
    // Logs that the model nests deeper than MaxNestingDepth.
    void LogTooDeep();
    // Moves the gauge for the element on line, at most about thirty times per pass: from
    // start by span times the part of the file read so far, capped at cap.
    void ReportProgress(int line, float start, float span, float cap);
    // Deletes every object pass one created, each once, and empties the program's lists.
    void DeleteModel();

    std::string FileName;
    IProgress* Progress;                 // borrowed; may be null
    CProgram* Program;                   // borrowed: the model being filled
    std::unique_ptr<CXmlTextReader> Xml; // owned; null until Load opens a file
    std::uint32_t FileSize = 0;          // bytes of the front-end file; 0 when unknown
    std::uint64_t MaxIdNumber = 0; // an id number takes up bytes: none exceeds the file's size
    std::vector<CProgramElement*> Nodes; // borrowed index: slot n holds the element of id n
    std::vector<CSourceFile*> Files;     // borrowed index: the File elements in document order
    int LineEstimate = 0;                // lines of the file being read, estimated from its size
    int LastReported = 0;                // line of the last progress report of the current pass
};
