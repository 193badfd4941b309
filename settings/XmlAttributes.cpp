#include "settings/XmlAttributes.h"

#include <cstring>

xmlAttrPtr FindAttribute(xmlNodePtr node, const char* name) {
    for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next) {
        if (std::strcmp(reinterpret_cast<const char*>(attr->name), name) == 0)
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

std::string FirstChildText(xmlNodePtr node) {
    xmlNodePtr child = node->children;
    if (child == nullptr || child->content == nullptr ||
        (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE))
        return std::string();
    return reinterpret_cast<const char*>(child->content);
}
