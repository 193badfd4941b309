#pragma once

#include <libxml/tree.h>
#include <string>

// Attribute lookups on a parsed node, shared by the settings, the project file and the
// GCC-XML reader.

// The attribute of node called name, or null.
xmlAttrPtr FindAttribute(xmlNodePtr node, const char* name);

// When node has the attribute, value receives its text (FirstChildText) and the attribute is
// returned; otherwise null is returned and value is left as it was.
xmlAttrPtr GetAttribute(xmlNodePtr node, const char* name, std::string& value);

// The text of node's attribute called name without a copy, as GetAttribute gives it: the
// content of its first child when that is text, else empty; null when there is no such
// attribute. Valid while the node is.
const char* AttributeText(xmlNodePtr node, const char* name);
// The same for an attribute found: its text, never null.
const char* AttributeText(xmlAttrPtr attr);

// The content of the first child of node (an attribute's value) when that child is text; empty
// otherwise. A reference to an entity that the document declares is not expanded: its
// replacement text would be copied once per reference, so that a small file could fill the
// memory. (The front end and the program never write such references; the parser resolves the
// predefined ones and character references into the text itself.)
std::string FirstChildText(xmlNodePtr node);
