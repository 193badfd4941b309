#pragma once

#include "model/CNsElement.h"

#include <memory>
#include <vector>

class CField;
class CFunction;
class CType;

// A scope that holds fields, functions and types: a namespace or a class. It owns its members;
// the import makes sure that every element has exactly one owner, so the members form a tree.
// Sizing keeps the sums of each kind, which the layout gives each kind's group.
class CPEContainer : public CNsElement {
public:
    explicit CPEContainer(std::string name);
    ~CPEContainer() override;

    // True when element is one of the container's direct members (compared as elements).
    virtual bool Contains(const CProgramElement* element) const;
    virtual bool IsClass() const = 0;

    // Appends a class, enumeration or typedef to Types.
    void AddType(std::unique_ptr<CType> type);

    // Sizes the members and sums their sizes and lines per kind and in all.
    void ComputeSize(const CSizing& sizing) override;

    std::vector<std::unique_ptr<CField>> Fields;
    std::vector<std::unique_ptr<CFunction>> Functions;
    std::vector<std::unique_ptr<CType>> Types;
    int FunctionsSize = 0;
    int FunctionsLines = 0;
    int FieldsSize = 0;
    int FieldsLines = 0;
    int TypesSize = 0;
    int TypesLines = 0;
};
