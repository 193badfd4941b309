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
    if (attr->children != nullptr && attr->children->content != nullptr)
        value = reinterpret_cast<const char*>(attr->children->content);
    else
        value.clear();
    return attr;
}
