#pragma once

#include "model/CNsElement.h"

#include <vector>

class CClassType;
class CType;

// Access codes of members.
enum AccessCode : int { AccessPublic = 0, AccessPrivate = 1, AccessProtected = 2 };

// A function of any kind: free function, method, operator, converter, constructor or
// destructor.
class CFunction : public CNsElement {
public:
    explicit CFunction(std::string name) : CProgramElement(name), CNsElement(name) {}

    virtual void Link(CPEContainer* context, CSourceFile* file, CType* returnType,
                      std::vector<CType*> arguments, int line, int endLine, CClassType* owner,
                      int access);

    // Lines of code, plus the parameters' bytes unless the sizing weighed functions by their
    // length alone.
    int GetSize() const override;
    // Lines = EndLine - Line (at least 1); Size = the summed sizes of the argument types.
    void ComputeSize(const CSizing& sizing) override;

    std::vector<CType*> Arguments;    // the types are borrowed; null for unresolved ones
    CType* ReturnType = nullptr;      // borrowed; null for constructors and destructors
    CClassType* OwnerClass = nullptr; // borrowed; null for free functions
    int Access = AccessPublic;
    int EndLine = 0;
    bool WeighedByLength = false; // the last sizing weighed the function by its lines alone
};
