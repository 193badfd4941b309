#pragma once

#include <cstddef>
#include <cstdint>
#include <libxml/tree.h>
#include <string>
#include <vector>

// Pass one's copy of what pass two reads of each element below the root: its tag, its line,
// the texts of the attributes that linking looks at and the type references of its Argument
// children. Pass two links from this copy instead of parsing the file a second time, which
// halves the XML work of a load. The texts are kept as the parser gave them, so that pass two
// reads exactly what it would have read from the file.
class CElementRecords {
public:
    // The attributes pass two reads.
    enum EAttribute { Id, Type, Returns, Context, File, Line, EndLine, Access, Bases, Count };

private:
    struct SEntry {
        std::size_t Texts;     // where the element's texts begin in Texts
        std::size_t Arguments; // where its argument types begin in ArgumentTypes
        int Line;
        std::uint32_t ArgumentCount;
        std::uint16_t Present; // bit n: the element has attribute n
        std::uint8_t Tag;
    };

public:
    // One recorded element. Valid while its records are and no element is added.
    class CElement {
    public:
        // The parser's number for the element's tag.
        int GetTag() const { return Entry->Tag; }
        int GetLine() const { return Entry->Line; }
        // The attribute's text; null when the element did not have it.
        const char* Get(EAttribute attribute) const;
        // The id numbers of the types of the Argument children, in order, up to the first
        // Argument without a type (only for elements added with their children).
        std::vector<int> GetArgumentTypes() const;

    private:
        friend class CElementRecords;
        CElement(const CElementRecords& records, const SEntry& entry)
            : Records(&records), Entry(&entry) {}
        const CElementRecords* Records;
        const SEntry* Entry;
    };

    // Copies an element: tag is the parser's number for its tag (0 to 255), line the line
    // libxml2 recorded for it. With children, node must be expanded: the types
    // of its Argument children are kept as well.
    void Add(int tag, int line, xmlNodePtr node, bool children);

    std::size_t Size() const { return Entries.size(); }
    CElement operator[](std::size_t index) const { return CElement(*this, Entries[index]); }

private:
    std::vector<SEntry> Entries;
    // The texts of the present attributes of every element, in element and then attribute
    // order, each ended by a zero byte.
    std::string Texts;
    std::vector<int> ArgumentTypes;
};
