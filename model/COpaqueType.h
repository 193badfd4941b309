#pragma once

#include "model/CBasicType.h"

// A type that the front end does not spell out (a decltype, for example), named after the
// front end's class of type. It is a program-level fundamental type that weighs nothing.
class COpaqueType : public CBasicType {
public:
    explicit COpaqueType(std::string name) : CProgramElement(name), CBasicType(name) {}

    // Size 0, lines 1; never fails.
    void ComputeSize(const CSizing& sizing) override;
};
