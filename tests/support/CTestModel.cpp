#include "support/CTestModel.h"

CNamespace* CTestModel::Namespace(const std::string& name, CNamespace* parent) {
    auto owned = std::make_unique<CNamespace>(name);
    CNamespace* ns = owned.get();
    (parent != nullptr ? parent->Namespaces : Program->Namespaces).push_back(std::move(owned));
    ns->SetParent(parent, Program.get());
    return ns;
}

CClassType* CTestModel::Class(const std::string& name, CPEContainer* context,
                              std::vector<CClassType*> bases, CSourceFile* file) {
    auto owned = std::make_unique<CClassType>(name);
    CClassType* cls = owned.get();
    context->AddType(std::move(owned));
    cls->Link(context, file, std::move(bases), "Class");
    return cls;
}

CFunction* CTestModel::Function(const std::string& name, CPEContainer* context, int line,
                                int endLine, std::vector<CType*> arguments, CType* returnType,
                                CSourceFile* file) {
    auto owned = std::make_unique<CFunction>(name);
    CFunction* function = owned.get();
    context->Functions.push_back(std::move(owned));
    function->Link(context, file, returnType, std::move(arguments), line, endLine,
                   dynamic_cast<CClassType*>(context), AccessPublic);
    return function;
}

CField* CTestModel::Field(const std::string& name, CPEContainer* context, CType* type,
                          CSourceFile* file) {
    auto owned = std::make_unique<CField>(name);
    CField* field = owned.get();
    context->Fields.push_back(std::move(owned));
    field->Link(context, file, type, AccessPublic);
    return field;
}

CAliasType* CTestModel::Typedef(const std::string& name, CPEContainer* context, CType* aliased) {
    auto owned = std::make_unique<CAliasType>(name);
    CAliasType* alias = owned.get();
    context->AddType(std::move(owned));
    alias->Link(context, nullptr, aliased);
    return alias;
}

CEnumType* CTestModel::Enum(const std::string& name, CPEContainer* context, CSourceFile* file) {
    auto owned = std::make_unique<CEnumType>(name);
    CEnumType* type = owned.get();
    context->AddType(std::move(owned));
    type->SetContext(context, file);
    return type;
}

CBasicType* CTestModel::Basic(const std::string& name) {
    auto owned = std::make_unique<CBasicType>(name);
    CBasicType* type = owned.get();
    Program->AddElement(std::move(owned));
    return type;
}

CReferenceType* CTestModel::Derived(CType* base) {
    auto owned = std::make_unique<CReferenceType>();
    CReferenceType* type = owned.get();
    type->BaseType = base;
    Program->AddElement(std::move(owned));
    return type;
}

CSourceFile* CTestModel::File(const std::string& name) {
    auto owned = std::make_unique<CSourceFile>(name, Program.get());
    CSourceFile* file = owned.get();
    Program->AddFile(std::move(owned));
    return file;
}
