#include "import/CElementRecords.h"

#include "base/XmlAttributes.h"
#include "import/IdParsing.h"

#include <cstring>

namespace {

// The names of the attributes, in the order of EAttribute.
const char* const AttributeNames[CElementRecords::Count] = {
    "id", "type", "returns", "context", "file", "line", "endline", "access", "bases"};

// The attribute of a name; Count for a name pass two does not read.
int AttributeOf(const char* name) {
    for (int attribute = 0; attribute < CElementRecords::Count; ++attribute) {
        const char* known = AttributeNames[attribute];
        if (known[0] == name[0] && std::strcmp(known, name) == 0)
            return attribute;
    }
    return CElementRecords::Count;
}

} // namespace

void CElementRecords::Add(int tag, int line, xmlNodePtr node, bool children) {
    SEntry entry{Texts.size(), ArgumentTypes.size(), line, 0, 0, static_cast<std::uint8_t>(tag)};
    // One walk over the attributes; the first of a name counts, as for AttributeText.
    const char* texts[Count] = {};
    for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next) {
        int attribute = AttributeOf(reinterpret_cast<const char*>(attr->name));
        if (attribute < Count && texts[attribute] == nullptr)
            texts[attribute] = AttributeText(attr);
    }
    for (int attribute = 0; attribute < Count; ++attribute) {
        const char* text = texts[attribute];
        if (text == nullptr)
            continue;
        entry.Present = static_cast<std::uint16_t>(entry.Present | 1u << attribute);
        Texts.append(text, std::strlen(text) + 1);
    }
    for (xmlNodePtr child = children ? node->children : nullptr; child != nullptr;
         child = child->next) {
        if (child->type != XML_ELEMENT_NODE ||
            std::strcmp(reinterpret_cast<const char*>(child->name), "Argument") != 0)
            continue;
        const char* type = AttributeText(child, "type");
        if (type == nullptr)
            break;
        ArgumentTypes.push_back(ParseId(type));
        ++entry.ArgumentCount;
    }
    Entries.push_back(entry);
}

const char* CElementRecords::CElement::Get(EAttribute attribute) const {
    if ((Entry->Present & 1u << attribute) == 0)
        return nullptr;
    const char* text = Records->Texts.data() + Entry->Texts;
    for (int before = 0; before < attribute; ++before) {
        if ((Entry->Present & 1u << before) != 0)
            text += std::strlen(text) + 1;
    }
    return text;
}

std::vector<int> CElementRecords::CElement::GetArgumentTypes() const {
    auto first = Records->ArgumentTypes.begin() + static_cast<std::ptrdiff_t>(Entry->Arguments);
    return std::vector<int>(first, first + Entry->ArgumentCount);
}
