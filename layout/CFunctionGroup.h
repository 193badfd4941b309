#pragma once

#include "layout/CElementGroup.h"

class CFunction;
class CPEContainer;

// The functions of a namespace or class.
class CFunctionGroup final : public CElementGroupOf<CFunction> {
public:
    CFunctionGroup(const std::vector<CFunction*>* elements, CPEContainer* owner);

    std::string GetName() const override { return "Function group of "; }
};
