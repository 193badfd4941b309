#pragma once

#include "layout/CElementGroup.h"

class CField;
class CPEContainer;

// The fields of a namespace or class, or the variables of a namespace.
class CFieldGroup final : public CElementGroupOf<CField> {
public:
    CFieldGroup(const std::vector<CField*>* elements, CPEContainer* owner);

    std::string GetName() const override { return "Field group of "; }
};
