#include "support/CModelBuilder.h"

CNamespace* CModelBuilder::Namespace(const std::string& name, CNamespace* parent) {
    auto* ns = new CNamespace(name);
    if (parent != nullptr)
        parent->Namespaces.push_back(ns);
    else
        Program->Namespaces.push_back(ns);
    ns->SetParent(parent, Program.get());
    return ns;
}

CClassType* CModelBuilder::Class(const std::string& name, CPEContainer* context,
                                 std::vector<CClassType*> bases, const std::string& kind,
                                 CSourceFile* file) {
    auto* cls = new CClassType(name);
    context->AddType(cls);
    cls->Link(context, file, std::move(bases), kind);
    return cls;
}

CFunction* CModelBuilder::Function(const std::string& name, CPEContainer* context, int line,
                                   int endLine, std::vector<CType*> arguments, CType* returnType,
                                   int access, CSourceFile* file) {
    auto* function = new CFunction(name);
    context->Functions.push_back(function);
    function->Link(context, file, returnType, std::move(arguments), line, endLine,
                   dynamic_cast<CClassType*>(context), access);
    return function;
}

CField* CModelBuilder::Field(const std::string& name, CPEContainer* context, CType* type,
                             int access, CSourceFile* file) {
    auto* field = new CField(name);
    context->Fields.push_back(field);
    field->Link(context, file, type, access);
    return field;
}

CAliasType* CModelBuilder::Typedef(const std::string& name, CPEContainer* context, CType* aliased,
                                   CSourceFile* file) {
    auto* alias = new CAliasType(name);
    context->AddType(alias);
    alias->Link(context, file, aliased);
    return alias;
}

CEnumType* CModelBuilder::Enum(const std::string& name, CPEContainer* context, CSourceFile* file) {
    auto* type = new CEnumType(name);
    context->AddType(type);
    type->SetContext(context, file);
    return type;
}

CBasicType* CModelBuilder::Basic(const std::string& name) {
    auto* type = new CBasicType(name);
    Program->AddElement(type);
    return type;
}

CReferenceType* CModelBuilder::Derived(CType* base) {
    auto* type = new CReferenceType();
    type->BaseType = base;
    Program->AddElement(type);
    return type;
}

CSourceFile* CModelBuilder::File(const std::string& name) {
    auto* file = new CSourceFile(name, Program.get());
    Program->AddFile(file);
    return file;
}
