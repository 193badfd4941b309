#include "base/XmlAttributes.h"

#include <cstring>

xmlAttrPtr FindAttribute(xmlNodePtr node, const char* name) {
    for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next) {
        // Most names differ in their first character: checking it first saves a call.
        const char* attrName = reinterpret_cast<const char*>(attr->name);
        if (attrName[0] == name[0] && std::strcmp(attrName, name) == 0)
            return attr;
    }
    return nullptr;
}

xmlAttrPtr GetAttribute(xmlNodePtr node, const char* name, std::string& value) {
    xmlAttrPtr attr = FindAttribute(node, name);
    if (attr == nullptr)
        return nullptr;
    value = FirstChildText(reinterpret_cast<xmlNodePtr>(attr));
    return attr;
}

namespace {

// The content of node's first child when that is text; null otherwise.
const char* FirstText(xmlNodePtr node) {
    xmlNodePtr child = node->children;
    if (child == nullptr || child->content == nullptr ||
        (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE))
        return nullptr;
    return reinterpret_cast<const char*>(child->content);
}

} // namespace

const char* AttributeText(xmlNodePtr node, const char* name) {
    xmlAttrPtr attr = FindAttribute(node, name);
    return attr != nullptr ? AttributeText(attr) : nullptr;
}

const char* AttributeText(xmlAttrPtr attr) {
    const char* text = FirstText(reinterpret_cast<xmlNodePtr>(attr));
    return text != nullptr ? text : "";
}

std::string FirstChildText(xmlNodePtr node) {
    const char* text = FirstText(node);
    return text != nullptr ? text : std::string();
}
