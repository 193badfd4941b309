#pragma once

#include <string>

class CSqRectangle;

// The tooltip text for the rectangle under the pointer, three lines: the element's kind
// ("Namespace", "Class", "Struct", "Method", "Function", "Field", "Variable", "Type", "File", or
// "Group of Functions" and the like), its name qualified by the namespaces and classes that
// enclose it, and where it is declared: the file, with ":<line>" where the model knows the line
// (functions). The line of a file is its path; an element without a file has no third line.
std::string HoverTipText(const CSqRectangle& rect);
