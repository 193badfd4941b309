#pragma once

#include <libxml/tree.h>
#include <string>

// Attribute lookups on a parsed node, shared by the settings, the project file and the
// GCC-XML reader.

// The attribute of node called name, or null.
xmlAttrPtr FindAttribute(xmlNodePtr node, const char* name);

// When node has the attribute, value receives its text and the attribute is returned;
// otherwise null is returned and value is left as it was.
xmlAttrPtr GetAttribute(xmlNodePtr node, const char* name, std::string& value);
