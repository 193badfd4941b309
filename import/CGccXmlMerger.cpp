#include "import/CGccXmlMerger.h"

#include "base/CError.h"
#include "base/CLogFile.h"
#include "base/ReplaceFile.h"
#include "base/StringPrintf.h"
#include "import/CXmlTextReader.h"
#include "import/IdParsing.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the merger does with an element, by its tag.
enum Kind : std::uint8_t {
    Other, // types and whatever else: by spelling
    File,
    Namespace,
    Class,
    Typedef,
    Enumeration,
    Function,
    Field,
    Variable,
    CvQualified, // shares the number of the type it qualifies
};

Kind KindOf(const char* tag) {
    struct Entry {
        const char* Tag;
        Kind Value;
    };
    static const Entry kinds[] = {
        {"Namespace", Namespace},
        {"Function", Function},
        {"Method", Function},
        {"Constructor", Function},
        {"Destructor", Function},
        {"OperatorMethod", Function},
        {"OperatorFunction", Function},
        {"Converter", Function},
        {"Class", Class},
        {"Struct", Class},
        {"Union", Class},
        {"Typedef", Typedef},
        {"Enumeration", Enumeration},
        {"Field", Field},
        {"Variable", Variable},
        {"File", File},
        {"CvQualifiedType", CvQualified},
    };
    for (const Entry& entry : kinds) {
        if (entry.Tag[0] == tag[0] && std::strcmp(entry.Tag, tag) == 0)
            return entry.Value;
    }
    return Other;
}

enum Flag : std::uint8_t { Incomplete = 1, Static = 2, HasMangled = 4 };
enum State : std::uint8_t { Unresolved, Busy, Resolved };
enum Disposition : std::uint8_t { New, Duplicate, Replaces };

// In an element's text, a reference is a marker byte followed by a number (4 bytes, as
// stored): an element's id number, or a file's index. Neither byte can occur in an XML
// document's text.
const char RefMarker = '\x01';
const char FileMarker = '\x02';
const std::size_t MarkerSize = 1 + sizeof(std::int32_t);

// References nest no deeper than this in real output; deeper ones are taken as a cycle.
const int MaxDepth = 1000;

// What an attribute is to the merger, by its name.
enum Role : std::uint8_t {
    Plain,     // copied as it is
    Reference, // element ids: one, or a list (bases, members and the like)
    Context,   // the id of the element's scope
    FileRef,   // a file, as the reader reads it
    Location,  // a file and a line: "f3:12"
    Name,
    Mangled,
    Line,
    IncompleteFlag,
    StaticFlag,
};

Role RoleOf(const char* name) {
    struct Entry {
        const char* Name;
        Role Value;
    };
    static const Entry roles[] = {
        {"context", Context},
        {"type", Reference},
        {"returns", Reference},
        {"basetype", Reference},
        {"original_type", Reference},
        {"members", Reference},
        {"bases", Reference},
        {"befriending", Reference},
        {"overrides", Reference},
        {"throw", Reference},
        {"file", FileRef},
        {"location", Location},
        {"name", Name},
        {"mangled", Mangled},
        {"line", Line},
        {"incomplete", IncompleteFlag},
        {"static", StaticFlag},
    };
    for (const Entry& entry : roles) {
        if (entry.Name[0] == name[0] && std::strcmp(entry.Name, name) == 0)
            return entry.Value;
    }
    return Plain;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number of a run of digits; -1 past the range of int.
std::int32_t DigitsValue(const char* begin, const char* end) {
    long long value = 0;
    for (const char* p = begin; p != end; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            return -1;
    }
    return static_cast<std::int32_t>(value);
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p))
        ++p;
    return p;
}

// The id number the reader takes from an id text (ParseId), quickly for the usual "_123".
std::int32_t IdNumber(const char* text) {
    if (text[0] == '_' && IsDigit(text[1])) {
        const char* end = SkipDigits(text + 1);
        std::int32_t value = DigitsValue(text + 1, end);
        return value < 0 ? 0 : value;
    }
    return ParseId(text);
}

std::uint8_t QualifierBits(const char* suffix) {
    std::uint8_t bits = 0;
    for (; *suffix != '\0'; ++suffix)
        bits |= *suffix == 'c' ? 1 : *suffix == 'v' ? 2 : *suffix == 'r' ? 4 : 8;
    return bits;
}

// Appends text[begin, end) escaped for an attribute value.
void AppendEscaped(std::string& out, const char* begin, const char* end) {
    const char* run = begin;
    for (const char* p = begin; p != end; ++p) {
        const char* entity;
        switch (*p) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '"':
            entity = "&quot;";
            break;
        case '\n':
            entity = "&#10;";
            break;
        case '\r':
            entity = "&#13;";
            break;
        case '\t':
            entity = "&#9;";
            break;
        default:
            continue;
        }
        out.append(run, p);
        out += entity;
        run = p + 1;
    }
    out.append(run, end);
}

void AppendEscaped(std::string& out, const char* text) {
    AppendEscaped(out, text, text + std::strlen(text));
}

void AppendMarker(std::string& out, char marker, std::int32_t number) {
    char bytes[MarkerSize];
    bytes[0] = marker;
    std::memcpy(bytes + 1, &number, sizeof number);
    out.append(bytes, MarkerSize);
}

std::int32_t MarkerNumber(const std::string& text, std::size_t at) {
    std::int32_t number;
    std::memcpy(&number, text.data() + at + 1, sizeof number);
    return number;
}

// The text of an attribute (its first child when that is text, as the reader takes it).
const char* ValueOf(xmlAttrPtr attr) {
    xmlNodePtr child = attr->children;
    if (child == nullptr || child->content == nullptr ||
        (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE))
        return "";
    return reinterpret_cast<const char*>(child->content);
}

const char* NameOf(const xmlChar* name) {
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

std::uint32_t Offset(const std::string& text) {
    return static_cast<std::uint32_t>(text.size());
}

void AppendNumber(std::string& out, long long number) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, end.ptr);
}

} // namespace

CGccXmlMerger::CGccXmlMerger(std::string fileName, CLogFile& log)
    : FileName(std::move(fileName)), Log(log) {}

CGccXmlMerger::~CGccXmlMerger() {
    if (Fd >= 0) {
        close(Fd);
        unlink(Temporary.c_str());
    }
}

bool CGccXmlMerger::Add(const std::string& output, const std::string& directory) {
    ++OutputIndex;
    Directory = directory;
    Text.clear();
    Elements.clear();
    Arguments.clear();
    FileNames.clear();
    Files.clear();
    Nowhere = -1;
    struct stat status;
    std::uint64_t size = stat(output.c_str(), &status) == 0 ? status.st_size : 0;
    if (!Read(output) || !IndexElements(output, size))
        return false;
    if (Fd < 0 && !OpenTemporary())
        return false;

    for (std::size_t index : Files) {
        CElement& file = Elements[index];
        std::string key = "P" + FileKey(FileNames[file.Merged]);
        std::int32_t existing = Occurrence(key, NextFile);
        file.Merged = existing >= 0 ? existing : NextFile++;
        file.Disposition = existing >= 0 ? Duplicate : New;
        file.State = Resolved;
    }
    for (std::size_t index = 0; index < Elements.size(); ++index)
        Resolve(index, 0);
    if (!WriteElements())
        return false;
    ++Merged;
    return true;
}

bool CGccXmlMerger::Read(const std::string& output) {
    Roles.clear(); // the names of the last document are gone
    try {
        CXmlTextReader xml(output);
        if (xml.Read() != 1 || xml.GetName() != "GCC_XML") {
            Log.Error("Could not merge front-end output", output + ": not a GCC_XML document");
            return false;
        }
        if (RootText.empty()) {
            RootText = "<GCC_XML";
            for (const char* name : {"version", "cvs_revision"}) {
                std::string value = xml.GetAttribute(name);
                if (value.empty())
                    continue;
                RootText += std::string(" ") + name + "=\"";
                AppendEscaped(RootText, value.c_str());
                RootText += '"';
            }
            RootText += ">\n";
        }
        for (int found = xml.ReadToDepth(1); found != 0; found = xml.ReadToDepth(1)) {
            xmlNodePtr node = found > 0 ? xml.Expand() : nullptr;
            if (node == nullptr || !ReadElement(node)) {
                Log.Error(
                    "Could not merge front-end output",
                    StringPrintf("%s: read error on line %i", output.c_str(), xml.CurrentLine()));
                return false;
            }
        }
    } catch (const CError& error) {
        Log.Error("Could not merge front-end output", output + ": " + error.what());
        return false;
    }
    return true;
}

bool CGccXmlMerger::ReadElement(xmlNodePtr node) {
    if (Text.size() > UINT32_MAX / 2)
        return false; // offsets are kept in 32 bits
    Elements.emplace_back();
    CElement& element = Elements.back();
    const char* tag = NameOf(node->name);
    element.Kind = KindOf(tag);
    element.TagBegin = Offset(Text);
    Text += tag;
    element.TagEnd = Offset(Text);
    element.ArgsBegin = static_cast<std::uint32_t>(Arguments.size());

    xmlAttrPtr id = nullptr;
    for (xmlAttrPtr attr = node->properties; attr != nullptr && id == nullptr; attr = attr->next) {
        if (std::strcmp(NameOf(attr->name), "id") == 0)
            id = attr;
    }
    const char* idText = id != nullptr ? ValueOf(id) : "";
    element.SuffixBegin = element.SuffixEnd = Offset(Text);
    if (element.Kind == File) {
        // The reader takes files by their order, whatever their ids say.
        element.Merged = static_cast<std::int32_t>(FileNames.size()); // index until resolved
        Files.push_back(Elements.size() - 1);
        xmlAttrPtr name = node->properties;
        while (name != nullptr && std::strcmp(NameOf(name->name), "name") != 0)
            name = name->next;
        FileNames.push_back(name != nullptr ? ValueOf(name) : "");
    } else {
        element.Number = IdNumber(idText);
        // An element the reader would refuse: no number (one whose id starts with "f" aside).
        if (element.Number == 0 && idText[0] != 'f')
            return false;
        const char* underscore = std::strchr(idText, '_');
        if (element.Kind == CvQualified && underscore != nullptr) {
            AppendEscaped(Text, SkipDigits(underscore + 1));
            element.SuffixEnd = Offset(Text);
        }
    }

    element.RestBegin = Offset(Text);
    for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next) {
        if (attr != id)
            AppendAttribute(NameOf(attr->name), ValueOf(attr), &element);
    }
    bool hasChildren = false;
    for (xmlNodePtr child = node->children; child != nullptr && !hasChildren; child = child->next)
        hasChildren = child->type == XML_ELEMENT_NODE;
    if (hasChildren) {
        Text += '>';
        AppendChildren(node, 1, element);
        Text += "\n  </";
        Text += tag;
        Text += ">\n";
    } else {
        Text += "/>\n";
    }
    element.RestEnd = Offset(Text);
    element.ArgsEnd = static_cast<std::uint32_t>(Arguments.size());
    return true;
}

void CGccXmlMerger::AppendAttribute(const char* name, const char* value, CElement* element) {
    // libxml2 keeps one copy of each name per document: its role is looked up once.
    if (Roles.size() > 256)
        Roles.clear();
    auto known = Roles.find(name);
    Role role = known != Roles.end() ? static_cast<Role>(known->second)
                                     : static_cast<Role>(Roles[name] = RoleOf(name));
    Text += ' ';
    Text += name;
    Text += "=\"";
    std::uint32_t begin = Offset(Text);
    switch (role) {
    case Context:
        if (element != nullptr)
            element->Context = IdNumber(value);
        [[fallthrough]];
    case Reference: {
        // Every "_" and the digits after it is a reference; so are the leading digits of a
        // value without "_", as the reader takes them.
        const char* p = value;
        if (std::strchr(value, '_') == nullptr && IsDigit(*value)) {
            const char* end = SkipDigits(value);
            AppendMarker(Text, RefMarker, DigitsValue(value, end));
            p = end;
        }
        for (;;) {
            const char* underscore = std::strchr(p, '_');
            if (underscore == nullptr || !IsDigit(underscore[1]))
                break;
            AppendEscaped(Text, p, underscore);
            const char* end = SkipDigits(underscore + 1);
            AppendMarker(Text, RefMarker, DigitsValue(underscore + 1, end));
            p = end;
        }
        AppendEscaped(Text, p);
        break;
    }
    case FileRef: {
        // The reader reads the number after the first character, whatever it is.
        std::int32_t index = *value == '\0' ? 0 : ParseNumber(value + 1);
        if (element != nullptr)
            element->File = index;
        AppendMarker(Text, FileMarker, index);
        break;
    }
    case Location:
        if (value[0] == 'f' && IsDigit(value[1])) {
            const char* end = SkipDigits(value + 1);
            AppendMarker(Text, FileMarker, DigitsValue(value + 1, end));
            AppendEscaped(Text, end);
            break;
        }
        [[fallthrough]];
    default:
        AppendEscaped(Text, value);
        if (element == nullptr)
            break;
        if (role == Name) {
            element->NameBegin = begin;
            element->NameEnd = Offset(Text);
        } else if (role == Mangled) {
            element->MangledBegin = begin;
            element->MangledEnd = Offset(Text);
            element->Flags |= HasMangled;
        } else if (role == Line) {
            element->LineBegin = begin;
            element->LineEnd = Offset(Text);
        } else if (role == IncompleteFlag && std::strcmp(value, "1") == 0) {
            element->Flags |= Incomplete;
        } else if (role == StaticFlag && std::strcmp(value, "1") == 0) {
            element->Flags |= Static;
        }
        break;
    }
    Text += '"';
}

void CGccXmlMerger::AppendChildren(xmlNodePtr node, int depth, CElement& element) {
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        const char* tag = NameOf(child->name);
        if (depth == 1 && std::strcmp(tag, "Ellipsis") == 0)
            Arguments.push_back({-2, 0});
        Text += '\n';
        Text.append(static_cast<std::size_t>(2 + 2 * depth), ' ');
        Text += '<';
        Text += tag;
        for (xmlAttrPtr attr = child->properties; attr != nullptr; attr = attr->next) {
            const char* name = NameOf(attr->name);
            const char* value = ValueOf(attr);
            if (depth == 1 && std::strcmp(name, "type") == 0 && std::strcmp(tag, "Argument") == 0) {
                const char* underscore = std::strchr(value, '_');
                Arguments.push_back(
                    {IdNumber(value),
                     QualifierBits(underscore != nullptr ? SkipDigits(underscore + 1) : "")});
            }
            AppendAttribute(name, value, nullptr);
        }
        bool hasChildren = false;
        for (xmlNodePtr grandchild = child->children; grandchild != nullptr && !hasChildren;
             grandchild = grandchild->next)
            hasChildren = grandchild->type == XML_ELEMENT_NODE;
        if (hasChildren && depth < MaxDepth) {
            Text += '>';
            AppendChildren(child, depth + 1, element);
            Text += '\n';
            Text.append(static_cast<std::size_t>(2 + 2 * depth), ' ');
            Text += "</";
            Text += tag;
            Text += '>';
        } else {
            Text += "/>";
        }
    }
}

bool CGccXmlMerger::IndexElements(const std::string& output, std::uint64_t size) {
    std::int32_t highest = 0;
    for (const CElement& element : Elements)
        highest = std::max(highest, element.Number);
    // An id number takes up bytes of the file: none exceeds its size (as the reader checks).
    if (static_cast<std::uint64_t>(highest) > size) {
        Log.Error("Could not merge front-end output", output + ": an id number is out of range");
        return false;
    }
    ElementOf.assign(static_cast<std::size_t>(highest) + 1, -1);
    MergedOf.assign(static_cast<std::size_t>(highest) + 1, -1);
    for (std::size_t index = 0; index < Elements.size(); ++index) {
        const CElement& element = Elements[index];
        if (element.Kind == File || element.Kind == CvQualified)
            continue;
        std::int32_t& slot = ElementOf[static_cast<std::size_t>(element.Number)];
        if (slot >= 0) {
            Log.Error("Could not merge front-end output",
                      StringPrintf("%s: two elements have the id number %d", output.c_str(),
                                   element.Number));
            return false;
        }
        slot = static_cast<std::int32_t>(index);
    }
    return true;
}

std::int32_t CGccXmlMerger::RefId(std::int32_t number, int depth) {
    if (number < 0 || static_cast<std::size_t>(number) >= ElementOf.size()) {
        if (Nowhere < 0)
            Nowhere = NextId++;
        return Nowhere;
    }
    std::int32_t index = ElementOf[static_cast<std::size_t>(number)];
    std::int32_t& merged = MergedOf[static_cast<std::size_t>(number)];
    if (index < 0) {
        if (merged < 0)
            merged = NextId++; // a number no element has: it stays unresolved
        return merged;
    }
    if (Elements[static_cast<std::size_t>(index)].State != Resolved) {
        if (depth > MaxDepth)
            return -1;
        Resolve(static_cast<std::size_t>(index), depth + 1);
    }
    return Elements[static_cast<std::size_t>(index)].Merged;
}

void CGccXmlMerger::AppendRef(std::string& key, std::int32_t number, int depth) {
    std::int32_t id = RefId(number, depth);
    if (id >= 0) {
        AppendNumber(key, id);
    } else {
        key += '~'; // an element in a cycle: its own key in this output
        AppendNumber(key, OutputIndex);
        key += ':';
        AppendNumber(key, number);
    }
}

void CGccXmlMerger::AppendResolved(std::string& out, std::uint32_t begin, std::uint32_t end,
                                   bool forKey, int depth) {
    std::size_t at = begin;
    while (at < end) {
        std::size_t next = at;
        while (next < end && Text[next] != RefMarker && Text[next] != FileMarker)
            ++next;
        out.append(Text, at, next - at);
        if (next >= end)
            break;
        std::int32_t number = MarkerNumber(Text, next);
        if (Text[next] == FileMarker) {
            out += 'f';
            bool known = number >= 0 && static_cast<std::size_t>(number) < Files.size();
            AppendNumber(out, known ? Elements[Files[static_cast<std::size_t>(number)]].Merged
                                    : INT_MAX); // no such file: none in the merged one either
        } else if (forKey) {
            out += '_';
            AppendRef(out, number, depth);
        } else {
            out += '_';
            AppendNumber(out, RefId(number, depth));
        }
        at = next + MarkerSize;
    }
}

CGccXmlMerger::CSlot& CGccXmlMerger::SlotOf(const std::string& key) {
    if ((SlotsUsed + 1) * 2 > Slots.size()) {
        std::vector<CEntry> old(std::max<std::size_t>(Slots.size() * 2, 1 << 16));
        old.swap(Slots);
        std::size_t mask = Slots.size() - 1;
        for (const CEntry& entry : old) {
            if (entry.Hash == 0)
                continue;
            std::size_t at = entry.Hash & mask;
            while (Slots[at].Hash != 0)
                at = (at + 1) & mask;
            Slots[at] = entry;
        }
    }
    std::uint64_t hash = std::hash<std::string>()(key);
    hash += hash == 0;
    std::size_t mask = Slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        if (Slots[at].Hash == hash)
            return Slots[at].Slot;
        if (Slots[at].Hash == 0) {
            Slots[at].Hash = hash;
            ++SlotsUsed;
            return Slots[at].Slot;
        }
    }
}

std::int32_t CGccXmlMerger::Occurrence(const std::string& key, std::int32_t newId) {
    CSlot& slot = SlotOf(key);
    if (slot.Output != OutputIndex) {
        slot.Output = OutputIndex;
        slot.Used = 0;
    }
    int occurrence = slot.Used++;
    if (occurrence == 0 && slot.First >= 0)
        return slot.First;
    if (occurrence > 0 && slot.More >= 0 &&
        static_cast<std::size_t>(occurrence - 1) < Overflow[slot.More].size())
        return Overflow[slot.More][occurrence - 1];
    if (slot.First < 0) {
        slot.First = newId;
    } else {
        if (slot.More < 0) {
            slot.More = static_cast<std::int32_t>(Overflow.size());
            Overflow.emplace_back();
        }
        Overflow[slot.More].push_back(newId);
    }
    return -1;
}

void CGccXmlMerger::AppendPlaceKey(std::string& key, const CElement& element, int depth) {
    if (element.Context >= 0)
        AppendRef(key, element.Context, depth);
    key += ':';
    key.append(Text, element.NameBegin, element.NameEnd - element.NameBegin);
    key += '@';
    bool known = element.File >= 0 && static_cast<std::size_t>(element.File) < Files.size();
    AppendNumber(key, known ? Elements[Files[static_cast<std::size_t>(element.File)]].Merged : -1);
    key += ':';
    key.append(Text, element.LineBegin, element.LineEnd - element.LineBegin);
}

void CGccXmlMerger::Resolve(std::size_t index, int depth) {
    if (Elements[index].State != Unresolved)
        return;
    Elements[index].State = Busy;
    // Elements does not grow while resolving: the reference stays valid.
    CElement& element = Elements[index];
    std::string key;
    switch (element.Kind) {
    case Namespace:
        key = "N";
        if (element.Context >= 0)
            AppendRef(key, element.Context, depth);
        key += ':';
        key.append(Text, element.NameBegin, element.NameEnd - element.NameBegin);
        if (element.NameEnd == element.NameBegin) { // anonymous: this output's own
            key += '#';
            AppendNumber(key, OutputIndex);
        }
        break;
    case Class:
        ResolveClass(element, key, depth);
        break;
    case Typedef:
    case Enumeration:
        key = element.Kind == Typedef ? "T" : "E";
        AppendPlaceKey(key, element, depth);
        break;
    case Function:
    case Field:
    case Variable: {
        key = element.Kind == Function ? "F" : element.Kind == Field ? "D" : "V";
        if (element.Context >= 0)
            AppendRef(key, element.Context, depth);
        key += ':';
        if ((element.Flags & HasMangled) != 0) {
            key.append(Text, element.MangledBegin, element.MangledEnd - element.MangledBegin);
            break;
        }
        key.append(Text, element.TagBegin, element.TagEnd - element.TagBegin);
        key += ':';
        key.append(Text, element.NameBegin, element.NameEnd - element.NameBegin);
        if (element.Kind == Function) {
            key += '(';
            for (std::uint32_t a = element.ArgsBegin; a < element.ArgsEnd; ++a) {
                if (Arguments[a].Number == -2) {
                    key += "...";
                } else {
                    AppendRef(key, Arguments[a].Number, depth);
                    key += static_cast<char>('a' + Arguments[a].Qualifiers);
                }
                key += ',';
            }
            key += ')';
        }
        // Internal linkage: a static function or variable of a namespace is its file's own.
        bool inNamespace = false;
        if (element.Context >= 0 && static_cast<std::size_t>(element.Context) < ElementOf.size()) {
            std::int32_t context = ElementOf[static_cast<std::size_t>(element.Context)];
            inNamespace =
                context >= 0 && Elements[static_cast<std::size_t>(context)].Kind == Namespace;
        }
        if ((element.Flags & Static) != 0 && inNamespace) {
            key += '@';
            bool known = element.File >= 0 && static_cast<std::size_t>(element.File) < Files.size();
            AppendNumber(key, known ? Elements[Files[static_cast<std::size_t>(element.File)]].Merged
                                    : -1);
        }
        break;
    }
    case CvQualified:
        key = "Q";
        AppendRef(key, element.Number, depth);
        key.append(Text, element.SuffixBegin, element.SuffixEnd - element.SuffixBegin);
        AppendResolved(key, element.RestBegin, element.RestEnd, true, depth);
        break;
    default:
        key = "S";
        key.append(Text, element.TagBegin, element.TagEnd - element.TagBegin);
        AppendResolved(key, element.RestBegin, element.RestEnd, true, depth);
        break;
    }
    if (element.Kind != Class) {
        std::int32_t newId = element.Kind == CvQualified ? RefId(element.Number, depth) : NextId;
        std::int32_t existing = Occurrence(key, newId);
        if (existing >= 0) {
            element.Merged = existing;
            element.Disposition = Duplicate;
        } else {
            element.Merged = newId;
            element.Disposition = New;
            if (element.Kind != CvQualified)
                ++NextId;
        }
    }
    if (element.Kind != CvQualified)
        MergedOf[static_cast<std::size_t>(element.Number)] = element.Merged;
    element.State = Resolved;
}

void CGccXmlMerger::ResolveClass(CElement& element, std::string& key, int depth) {
    bool complete = (element.Flags & Incomplete) == 0;
    key = "C";
    AppendPlaceKey(key, element, depth);
    std::string scoped; // scope and name
    if (element.Context >= 0)
        AppendRef(scoped, element.Context, depth);
    scoped += ':';
    scoped.append(Text, element.NameBegin, element.NameEnd - element.NameBegin);
    bool named = element.NameEnd > element.NameBegin;

    std::int32_t existing = Occurrence(key, NextId);
    auto name = named ? ClassNames.find(scoped) : ClassNames.end();
    if (existing < 0 && name != ClassNames.end() && name->second.Output != OutputIndex &&
        (!complete || Declarations.count(name->second.Id) != 0)) {
        // Declared here and known from an earlier output, or defined here and only declared
        // before: the same class. The key's new occurrence takes its id.
        existing = name->second.Id;
        CSlot& slot = SlotOf(key);
        if (slot.More >= 0 && !Overflow[slot.More].empty())
            Overflow[slot.More].back() = existing;
        else
            slot.First = existing;
    }
    if (existing < 0) {
        element.Merged = NextId++;
        element.Disposition = New;
        if (named && name == ClassNames.end())
            ClassNames.emplace(scoped, CClassName{element.Merged, OutputIndex, complete});
        return;
    }
    element.Merged = existing;
    element.Disposition = complete && Declarations.count(existing) != 0 ? Replaces : Duplicate;
    if (element.Disposition == Replaces && name != ClassNames.end() && name->second.Id == existing)
        name->second.Complete = true;
}

std::string CGccXmlMerger::FileKey(const std::string& name) {
    if (name.empty() || name[0] == '<')
        return name; // "<builtin>" and the like are no paths
    std::string path = name[0] == '/' ? name : Directory + "/" + name;
    auto cached = Paths.find(path);
    if (cached != Paths.end())
        return cached->second;
    std::string key;
    if (char* real = realpath(path.c_str(), nullptr)) {
        key = real;
        std::free(real);
    } else {
        key = std::filesystem::path(path).lexically_normal().string();
    }
    Paths.emplace(path, key);
    return key;
}

bool CGccXmlMerger::OpenTemporary() {
    Fd = CreateTemporaryBeside(FileName, Temporary);
    if (Fd < 0) {
        Log.Error("Could not write merged front-end output",
                  FileName + ": " + std::strerror(errno));
        return false;
    }
    Buffer = "<?xml version=\"1.0\"?>\n" + RootText;
    return true;
}

bool CGccXmlMerger::Flush() {
    if (!WriteAll(Fd, Buffer.data(), Buffer.size())) {
        Log.Error("Could not write merged front-end output",
                  Temporary + ": " + std::strerror(errno));
        return false;
    }
    Written += Buffer.size();
    Buffer.clear();
    return true;
}

bool CGccXmlMerger::WriteElements() {
    std::string replacement;
    for (const CElement& element : Elements) {
        if (element.Disposition == Duplicate)
            continue;
        std::string& out = element.Disposition == New ? Buffer : replacement;
        std::uint64_t start = Written + out.size();
        if (element.Disposition == Replaces)
            replacement.clear();
        out += "  <";
        out.append(Text, element.TagBegin, element.TagEnd - element.TagBegin);
        out += element.Kind == File ? " id=\"f" : " id=\"_";
        AppendNumber(out, element.Merged);
        out.append(Text, element.SuffixBegin, element.SuffixEnd - element.SuffixBegin);
        out += '"';
        AppendResolved(out, element.RestBegin, element.RestEnd, false, 0);
        if (element.Disposition == Replaces) {
            // The definition takes the place of the declaration written before.
            auto declaration = Declarations.find(element.Merged);
            Patches.push_back({declaration->second.Offset, declaration->second.Length, out});
            Declarations.erase(declaration);
        } else if (element.Kind == Class && (element.Flags & Incomplete) != 0) {
            Declarations[element.Merged] = {start, Written + out.size() - start};
        }
        if (Buffer.size() >= (1 << 20) && !Flush())
            return false;
    }
    return Flush();
}

bool CGccXmlMerger::Finish() {
    if (Merged == 0) {
        Log.Error("Could not write merged front-end output", FileName + ": nothing to merge");
        return false;
    }
    Buffer += "</GCC_XML>\n";
    bool ok = Flush();
    std::string written = Temporary;
    if (ok && !Patches.empty()) {
        // Copy the document with the definitions in place of their declarations.
        std::sort(Patches.begin(), Patches.end(),
                  [](const CPatch& a, const CPatch& b) { return a.Offset < b.Offset; });
        std::string patched;
        int out = CreateTemporaryBeside(FileName, patched);
        ok = out >= 0 && lseek(Fd, 0, SEEK_SET) == 0;
        std::vector<char> chunk(1 << 20);
        std::uint64_t position = 0;
        std::size_t next = 0;
        while (ok) {
            std::uint64_t stop = next < Patches.size() ? Patches[next].Offset : Written;
            while (ok && position < stop) {
                std::size_t want = static_cast<std::size_t>(
                    std::min<std::uint64_t>(chunk.size(), stop - position));
                ssize_t got = read(Fd, chunk.data(), want);
                ok = got > 0 && WriteAll(out, chunk.data(), static_cast<std::size_t>(got));
                position += got > 0 ? static_cast<std::uint64_t>(got) : 0;
            }
            if (!ok || next >= Patches.size())
                break;
            const CPatch& patch = Patches[next++];
            ok = WriteAll(out, patch.Text.data(), patch.Text.size()) &&
                 lseek(Fd, static_cast<off_t>(patch.Offset + patch.Length), SEEK_SET) >= 0;
            position = patch.Offset + patch.Length;
        }
        if (out >= 0)
            ok = close(out) == 0 && ok;
        close(Fd);
        unlink(Temporary.c_str());
        Fd = -1;
        written = patched;
        if (!ok)
            unlink(patched.c_str());
    } else {
        ok = close(Fd) == 0 && ok;
        Fd = -1;
    }
    // Cache files are made again when lost, so they are not synchronised to the disk; the
    // rename alone makes sure that no reader ever sees half a document.
    ok = ok && rename(written.c_str(), FileName.c_str()) == 0;
    if (!ok) {
        Log.Error("Could not write merged front-end output",
                  FileName + ": " + std::strerror(errno));
        unlink(written.c_str());
    }
    return ok;
}
