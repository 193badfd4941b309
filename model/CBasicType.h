#pragma once

#include "model/CType.h"

// A fundamental type (int, char, ...): a program-level type whose size comes from a table.
class CBasicType : public CType {
public:
    explicit CBasicType(std::string name) : CProgramElement(name), CType(name) {}

    // Size from the fundamental size table, lines 1, once. An unknown name is logged as
    // "Could not init basic type" and throws CError UnknownFundamentalTypeMessage followed by
    // the cause, "<name> is an unknown fundamental type.", on the next line.
    void ComputeSize(const CSizing& sizing) override;
    int GetTypeKind() const override { return TypeKindFundamental; }

    // The size of a known fundamental type name; -1 when the name is unknown.
    static int FundamentalSize(const std::string& name);
};

// The text of the error thrown when a fundamental type is not in the size table.
extern const char* const UnknownFundamentalTypeMessage;
