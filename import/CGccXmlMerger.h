#pragma once

#include <cstdint>
#include <libxml/tree.h>
#include <string>
#include <unordered_map>
#include <vector>

class CLogFile;

// Merges the front-end (GCC-XML format) outputs of the translation units of one program into
// one document of the same format, which the reader loads like any front-end output.
//
// Every element of an output is either new, and written with a new id, or the same as one
// written before, and then left out while references to it are pointed at the one written.
// What makes two elements the same (their key):
// - files: their path made absolute (against the directory the front end ran in) and
//   resolved through symbolic links and "..", so that "/../lib/gcc/.../../../../include/x" and
//   "/usr/include/x" are one file; names in angle brackets ("<builtin>") as they stand;
// - namespaces: their scope and name; an anonymous namespace belongs to its output alone;
// - classes, structs, unions, typedefs and enumerations: their scope, name, file and line. A
//   class the output only declares (incomplete="1") is also the same as the class of that
//   scope and name from an earlier output wherever it is declared; when the definition comes
//   after the declaration was written, the definition takes the declaration's place and id;
// - functions of every kind: their scope and mangled name, or without one their scope, kind,
//   name and argument types; a static function of a namespace also by its file;
// - fields: their class and name; variables their scope and name (a static one of a namespace
//   also by its file);
// - types and everything else: their spelling, i.e. their tag and attributes with references
//   to the same elements.
// The scope in these keys is the merged element, so what lies in an anonymous namespace stays
// apart from its like in another output. Elements with equal keys within one output stay
// distinct (the n-th of them is the same as the n-th of an earlier output), so that a single
// output is written back element for element, in its order, with the same attribute values:
// loading it gives the model that loading the output itself gives.
//
// Each output is read once, streamed by libxml2's text reader; what is kept of it while it is
// merged is its elements' text and a few numbers per element. Across outputs the merger keeps
// the hash of one key per element written (and the scope and name of each class). The
// document goes to a temporary file beside the target and replaces the target in one step
// when it is finished.
class CGccXmlMerger {
public:
    // The merged document will be fileName; log (borrowed) hears of outputs that cannot be
    // merged.
    CGccXmlMerger(std::string fileName, CLogFile& log);
    // Removes the temporary file of a document that was not finished.
    ~CGccXmlMerger();
    CGccXmlMerger(const CGccXmlMerger&) = delete;
    CGccXmlMerger& operator=(const CGccXmlMerger&) = delete;

    // Merges the output of one translation unit; directory is where its front end ran (relative
    // file names are taken from there). Returns false, having merged nothing of it, when it
    // cannot be read, is not a front-end document, or its ids are not those of one (the log says
    // which and why); also when the temporary file cannot be written.
    bool Add(const std::string& output, const std::string& directory);

    // Completes the document and puts it in place of fileName. False (logged; fileName
    // untouched) when no output was merged or the file cannot be written.
    bool Finish();

    int GetMerged() const { return Merged; }

private:
    // One element below the root of the output being merged. Its text (escaped, ready to be
    // written, with every reference replaced by a marker and the id left out) lies in Text.
    struct CElement {
        std::uint32_t TagBegin = 0, TagEnd = 0;   // the tag name
        std::uint32_t RestBegin = 0, RestEnd = 0; // attributes after the id, and children
        std::uint32_t NameBegin = 0, NameEnd = 0; // the escaped values of name, mangled, line
        std::uint32_t MangledBegin = 0, MangledEnd = 0;
        std::uint32_t LineBegin = 0, LineEnd = 0;
        std::uint32_t SuffixBegin = 0, SuffixEnd = 0; // what follows the id's number ("c")
        std::uint32_t ArgsBegin = 0, ArgsEnd = 0;     // argument types, in Arguments
        std::int32_t Number = 0;                      // the id's number
        std::int32_t Context = -1;                    // the context's number; -1 when none
        std::int32_t File = -1;                       // the file's index; -1 when none
        std::int32_t Merged = -1;                     // the id (file index) it is written with
        std::uint8_t Kind = 0;
        std::uint8_t Flags = 0;
        std::uint8_t State = 0;       // not resolved, being resolved, resolved
        std::uint8_t Disposition = 0; // written as new, left out, or replacing a declaration
    };
    // An argument's type: its number (-2 for an ellipsis) and the letters after it (const,
    // volatile, restrict) as bits.
    struct CArgument {
        std::int32_t Number;
        std::uint8_t Qualifiers;
    };
    // The ids written under one key, in the order their outputs held them; Output and Used
    // count the occurrences of the key in the output being merged.
    struct CSlot {
        std::int32_t First = -1;
        std::int32_t More = -1; // index in Overflow of further ids; -1 when none
        std::int32_t Output = -1;
        std::int32_t Used = 0;
    };
    // The first class of a scope and name, and whether it is complete.
    struct CClassName {
        std::int32_t Id;
        std::int32_t Output;
        bool Complete;
    };
    // A declaration written in the document, which a definition may yet replace.
    struct CPlace {
        std::uint64_t Offset;
        std::uint64_t Length;
    };
    struct CPatch {
        std::uint64_t Offset;
        std::uint64_t Length;
        std::string Text;
    };

    // Reads the output into Elements; false (logged) when it cannot be merged.
    bool Read(const std::string& output);
    // Appends one element (and its children) read from the output.
    bool ReadElement(xmlNodePtr node);
    // Appends an attribute, its references replaced by markers, to Text.
    void AppendAttribute(const char* name, const char* value, CElement* element);
    // Appends the children of node, written as the front end writes them, to Text.
    void AppendChildren(xmlNodePtr node, int depth, CElement& element);
    // Checks the ids of the elements read and indexes them by number.
    bool IndexElements(const std::string& output, std::uint64_t size);

    // The merged id of the element of the output numbered number, resolving it first; a
    // number no element has gets a fresh id of its own. -1 when the element is being resolved
    // (a cycle, or references nested too deep).
    std::int32_t RefId(std::int32_t number, int depth);
    // Appends RefId to key, or for -1 a mark that no other element's key holds.
    void AppendRef(std::string& key, std::int32_t number, int depth);
    // Decides whether an element is new or the same as one written before, and its id.
    void Resolve(std::size_t index, int depth);
    // The key of a class, typedef or enumeration: scope, name, file and line.
    void AppendPlaceKey(std::string& key, const CElement& element, int depth);
    // Files one occurrence of key: the id written before for that occurrence, or -1 after
    // recording newId for it.
    std::int32_t Occurrence(const std::string& key, std::int32_t newId);
    // The slot of a key, made empty when new.
    CSlot& SlotOf(const std::string& key);
    // Resolves a class by the rules for declarations and definitions.
    void ResolveClass(CElement& element, std::string& key, int depth);
    // The key of a file: its normalised absolute path.
    std::string FileKey(const std::string& name);
    // The element's rest with every marker replaced (by the merged id, or for keys by the
    // id key); appends to out.
    void AppendResolved(std::string& out, std::uint32_t begin, std::uint32_t end, bool forKey,
                        int depth);

    // Writes the merged elements of the output read, in its order.
    bool WriteElements();
    bool Flush();
    bool OpenTemporary();

    std::string FileName;
    CLogFile& Log;
    int Merged = 0;
    std::int32_t OutputIndex = -1; // of the output being merged
    std::int32_t NextId = 1;
    std::int32_t NextFile = 0;

    // The output being merged.
    std::string Directory;
    std::string Text;
    std::vector<CElement> Elements;
    std::vector<CArgument> Arguments;
    std::vector<std::string> FileNames;  // the File elements' names, unescaped, in order
    std::vector<std::size_t> Files;      // the File elements' indexes in Elements
    std::vector<std::int32_t> ElementOf; // element index by id number; -1 when none
    std::vector<std::int32_t> MergedOf;  // merged id by id number; -1 when not yet known
    std::int32_t Nowhere = -1;           // the id of references to numbers out of range
    std::unordered_map<const void*, std::uint8_t> Roles; // attribute roles by name pointer

    // Across outputs.
    // The slots by the 64-bit hash of their key (0 marks a free entry), open addressing at
    // most half full: one memory access per look-up on average, and no copy of the key. Two
    // keys of equal hash would be taken for one (about one chance in 10^7 for a million).
    struct CEntry {
        std::uint64_t Hash = 0;
        CSlot Slot;
    };
    std::vector<CEntry> Slots;
    std::size_t SlotsUsed = 0;
    std::vector<std::vector<std::int32_t>> Overflow;
    std::unordered_map<std::string, CClassName> ClassNames;
    std::unordered_map<std::int32_t, CPlace> Declarations; // incomplete classes written
    std::vector<CPatch> Patches;
    std::unordered_map<std::string, std::string> Paths; // file keys by name as written
    std::string RootText; // the root element's start tag, from the first output

    // The temporary document.
    std::string Temporary;
    int Fd = -1;
    std::string Buffer;
    std::uint64_t Written = 0;
};
