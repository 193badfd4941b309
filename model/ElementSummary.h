#pragma once

#include <string>

class CProgramElement;

// The short facts that name an element in a list of them: its kind, its qualified name and
// where it is declared.

// "namespace", "class", "struct", "union", "function", "method", "variable", "field",
// "typedef", "enumeration", "file", "program", or "type" for any other type.
std::string KindName(const CProgramElement& element);
// The names of the enclosing namespaces and classes and the element's own, outermost first,
// joined by "::" ("geo::Shape::Area"); the global namespace is left out but for itself ("::").
std::string QualifiedName(const CProgramElement& element);
// "FILE:LINE" of the declaration: the file's name as the model holds it, and the line when it
// is known; empty for an element without a file.
std::string SourceLocation(const CProgramElement& element);
