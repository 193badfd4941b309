#include "view/CNameCriterion.h"

#include "model/CPEContainer.h"
#include "model/CSourceFile.h"

#include <algorithm>

namespace {

// ASCII letters in lower case; every other byte (UTF-8 sequences too) as it is, whatever the
// locale.
char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool CNameCriterion::Passes(const CProgramElement* element) const {
    if (SourceFile != nullptr && element->GetFile() != static_cast<ISquarable*>(SourceFile))
        return false;
    if (Name.empty())
        return true;
    if (!Parsed || ParsedName != Name)
        Parse();
    if (!Matches(element->Name, Parts.back(), WholeName))
        return false;
    const CProgramElement* scope = element;
    for (auto part = Parts.rbegin() + 1; part != Parts.rend(); ++part) {
        scope = scope->GetContext();
        if (scope == nullptr || !Matches(scope->Name, *part, true))
            return false;
    }
    if (!Anchored)
        return true;
    // The scope around the outermost part is the global namespace, which has none around it.
    scope = scope->GetContext();
    return scope != nullptr && scope->GetContext() == nullptr;
}

bool CNameCriterion::Matches(const std::string& name, const std::string& part, bool whole) const {
    if (MatchCase && whole)
        return name == part;
    auto same = [this](char a, char b) { return MatchCase ? a == b : Folded(a) == Folded(b); };
    if (whole)
        return name.size() == part.size() &&
               std::equal(name.begin(), name.end(), part.begin(), same);
    return std::search(name.begin(), name.end(), part.begin(), part.end(), same) != name.end();
}

void CNameCriterion::Parse() const {
    ParsedName = Name;
    Parsed = true;
    Parts.clear();
    size_t start = 0;
    Anchored = Name != "::" && Name.compare(0, 2, "::") == 0;
    if (Anchored)
        start = 2;
    int depth = 0;
    for (size_t i = start; i + 1 < Name.size(); ++i) {
        char c = Name[i];
        if (c == '<' || c == '(') {
            ++depth;
        } else if ((c == '>' || c == ')') && depth > 0) {
            --depth;
        } else if (c == ':' && Name[i + 1] == ':' && depth == 0 && Name != "::") {
            Parts.push_back(Name.substr(start, i - start));
            start = i + 2;
            ++i;
        }
    }
    Parts.push_back(Name.substr(start));
}
