#pragma once

#include <string>
#include <vector>

class CProgramElement;
class CSourceFile;

// Passes an element by its name and, optionally, its declaring file.
//
// The name may be qualified: "geo::Registry::Add" passes an element named Add whose innermost
// enclosing scope (namespace or class) is named Registry, itself enclosed by one named geo;
// the scopes further out are free, so "Registry::Add" passes it too. A leading "::" ties the
// first part to the global namespace: "::Add" passes what is declared in the global namespace
// itself, "::geo::Point" Point in the top-level geo. The text "::" alone is the name of the
// global namespace. A "::" inside angle brackets or parentheses belongs to a name
// ("vector<std::string>").
class CNameCriterion {
public:
    // True when Name is empty or matches the element's name (and its scopes, for a qualified
    // Name), and SourceFile is null or is the file declaring the element. MatchCase compares
    // every part with its case (else ASCII letters match either case); WholeName makes the
    // last part equal the element's whole name (else the name need only contain it). Scope
    // parts always equal whole names.
    bool Passes(const CProgramElement* element) const;

    std::string Name;
    bool MatchCase = true;
    bool WholeName = true;
    CSourceFile* SourceFile = nullptr; // borrowed; null matches any file

private:
    // Splits Name into Parts, innermost last, and notes a leading "::".
    void Parse() const;
    // Whether name matches part as the options say; whole for a whole name.
    bool Matches(const std::string& name, const std::string& part, bool whole) const;

    // Name as it was when it was split, and what the split gave.
    mutable std::string ParsedName;
    mutable bool Parsed = false;
    mutable std::vector<std::string> Parts;
    mutable bool Anchored = false;
};
