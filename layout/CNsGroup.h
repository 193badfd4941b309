#pragma once

#include "layout/CElementGroup.h"

class CNamespace;
class CProgram;

// The child namespaces of a namespace, or the top-level namespaces of the program.
class CNsGroup final : public CElementGroupOf<CNamespace> {
public:
    CNsGroup(const std::vector<CNamespace*>* elements, CNamespace* owner);
    CNsGroup(const std::vector<CNamespace*>* elements, CProgram* owner);

    std::string GetName() const override { return "Namespace group of "; }
};
