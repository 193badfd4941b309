#pragma once

#include <string>
#include <vector>

class CClassType;
class CProgramElement;
class CType;

// Pieces shared by the rectangles' descriptions.

// "public", "private" or "protected" for the access codes 0, 1 and 2; empty for any other.
const char* AccessText(int access);
// The class that declares element: its context when that is a class; null otherwise.
const CClassType* ContextClass(const CProgramElement& element);
// The type's spelled name; empty for a type that did not resolve (null).
std::string TypeName(const CType* type);
// The types' names in order, separated by ", "; empty for an empty list. A type that did not
// resolve is spelled empty.
std::string TypeList(const std::vector<CType*>& types);
