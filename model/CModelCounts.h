#pragma once

class CPEContainer;
class CProgram;
class CType;

// The numbers of objects of each kind held in a finished model: the program's lists and every
// namespace's and class's member lists, recursively.
class CModelCounts {
public:
    explicit CModelCounts(const CProgram& program);

    int Namespaces = 0;
    int Classes = 0;
    int Functions = 0;
    int Fields = 0;
    int Typedefs = 0;
    int Enumerations = 0;
    int FundamentalTypes = 0; // including the types the front end leaves opaque
    int DerivedTypes = 0;     // pointer, reference, array and function types
    int Files = 0;

    // Every counted object.
    int Total() const;

private:
    void CountMembers(const CPEContainer& container);
    void CountType(const CType* type);
};
