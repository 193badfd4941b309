#pragma once

#include <string>

class CProgramElement;
class CSourceFile;

// Passes an element by its name and, optionally, its declaring file.
class CNameCriterion {
public:
    // True when Name is empty or equals the element's name exactly (case-sensitive, whole
    // string), and SourceFile is null or is the file declaring the element.
    bool Passes(const CProgramElement* element) const;

    std::string Name;
    CSourceFile* SourceFile = nullptr; // borrowed; null matches any file
};
