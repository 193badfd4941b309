#pragma once

#include "model/CAliasType.h"
#include "model/CBasicType.h"
#include "model/CClassType.h"
#include "model/CEnumType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CReferenceType.h"
#include "model/CSourceFile.h"

#include <memory>
#include <string>
#include <vector>

// Builds a linked program model by hand, the way the import links one: every element is
// appended to its context's list and linked. It owns the program until Take().
class CTestModel {
public:
    CTestModel() : Program(std::make_unique<CProgram>()) {}

    CProgram* GetProgram() const { return Program.get(); }
    std::unique_ptr<CProgram> Take() { return std::move(Program); }

    // A namespace inside parent, or at the top level of the program when parent is null.
    CNamespace* Namespace(const std::string& name, CNamespace* parent = nullptr);
    CClassType* Class(const std::string& name, CPEContainer* context,
                      std::vector<CClassType*> bases = {}, CSourceFile* file = nullptr);
    CFunction* Function(const std::string& name, CPEContainer* context, int line, int endLine,
                        std::vector<CType*> arguments = {}, CType* returnType = nullptr,
                        CSourceFile* file = nullptr);
    CField* Field(const std::string& name, CPEContainer* context, CType* type,
                  CSourceFile* file = nullptr);
    CAliasType* Typedef(const std::string& name, CPEContainer* context, CType* aliased);
    CEnumType* Enum(const std::string& name, CPEContainer* context, CSourceFile* file = nullptr);
    // Program-level types.
    CBasicType* Basic(const std::string& name);
    CReferenceType* Derived(CType* base);
    CSourceFile* File(const std::string& name);

private:
    std::unique_ptr<CProgram> Program;
};
