#pragma once

#include "model/CNsElement.h"

#include <memory>
#include <vector>

class CField;
class CFieldGroup;
class CFunction;
class CFunctionGroup;
class CType;
class CTypeGroup;

// A scope that holds fields, functions and types, with one group of each kind: a namespace
// or a class. It owns its members and its groups; the import makes sure that every element
// has exactly one owner, so the members form a tree.
class CPEContainer : public CNsElement {
public:
    explicit CPEContainer(std::string name);
    // Destroys every member, then the groups.
    ~CPEContainer() override;

    // True when element is one of the container's direct members (compared as elements).
    virtual bool Contains(const CProgramElement* element) const;
    virtual bool IsClass() const = 0;
    // Lays out the members inside rect, after the rectangles already in list: one group rect
    // per non-empty group, or with Subdivide off the functions, fields and types directly;
    // then squarifies them and lets every member fill its own rectangle. Does nothing to
    // members when the container weighs 0.
    virtual void FillRect(CSqRectangle* rect, std::vector<std::unique_ptr<CSqRectangle>> list,
                          CRectArea* treemap);

    // Appends a class, enumeration or typedef to Types.
    void AddType(CType* type);

    // Sums the members' sizes and lines and creates the three groups (last, so they copy the
    // finished sums).
    void ComputeSize() override;
    // Forgets the members without destroying them.
    void ReleaseChildLists() override;

    std::vector<CField*> Fields;             // owned
    std::vector<CFunction*> Functions;       // owned
    std::vector<CType*> Types;               // owned
    CFunctionGroup* FunctionGroup = nullptr; // owned; null until ComputeSize
    CFieldGroup* FieldGroup = nullptr;       // owned; null until ComputeSize
    CTypeGroup* TypeGroup = nullptr;         // owned; null until ComputeSize
    int FunctionsSize = 0;
    int FunctionsLines = 0;
    int FieldsSize = 0;
    int FieldsLines = 0;
    int TypesSize = 0;
    int TypesLines = 0;
};
