#pragma once

#include "layout/CElementGroup.h"

class CType;
class CPEContainer;

// The classes, enumerations and typedefs of a namespace or class.
class CTypeGroup final : public CElementGroupOf<CType> {
public:
    CTypeGroup(const std::vector<CType*>* elements, CPEContainer* owner);

    std::string GetName() const override { return "Type group of "; }
};
