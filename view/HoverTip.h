#pragma once

#include <string>

class CSqRectangle;

// The tooltip text for the rectangle under the pointer: the element's kind, capitalised
// ("Namespace", "Class", "Struct", "Method", "Function", "Field", "Variable", "Typedef", "File"
// and the like, as KindName says), its qualified name and, where it has a file, where it is
// declared (SourceLocation: "FILE:LINE"). A group gives "Group of Functions" and the like and the
// qualified name of its owner.
std::string HoverTipText(const CSqRectangle& rect);
