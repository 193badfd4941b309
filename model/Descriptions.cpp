#include "model/Descriptions.h"

#include "base/StringPrintf.h"
#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"

std::string DescribeProgram(const CProgram& program) {
    return StringPrintf("The program has %i number of lines and its files are %i bytes in size.\n",
                        program.GetLines(), program.FilesSize);
}

std::string DescribeNamespace(const CNamespace& ns) {
    return StringPrintf("The namespace named %s contains %i fields, %i functions, %i types and %i "
                        "namespaces.\n",
                        ns.GetName().c_str(), static_cast<int>(ns.Fields.size()),
                        static_cast<int>(ns.Functions.size()), static_cast<int>(ns.Types.size()),
                        static_cast<int>(ns.Namespaces.size()));
}

std::string DescribeClass(const CClassType& cls) {
    std::string kind = cls.GetKind();
    std::string name = cls.GetName();
    int fields = static_cast<int>(cls.Fields.size());
    int functions = static_cast<int>(cls.Functions.size());
    int types = static_cast<int>(cls.Types.size());
    if (cls.Bases.empty()) {
        return StringPrintf("%s named %s contains %i fields, %i functions and %i types.\n",
                            kind.c_str(), name.c_str(), fields, functions, types);
    }
    // "{ A, B }": each base followed by ", ", the last ", " replaced by " }".
    std::string bases = "{ ";
    for (const CClassType* base : cls.Bases)
        bases += (base != nullptr ? base->GetName() : std::string()) + ", ";
    bases.replace(bases.size() - 2, 2, " }");
    return StringPrintf("%s named %s contains %i fields, %i functions and %i types. It inherits "
                        "from the following classes: %s.\n",
                        kind.c_str(), name.c_str(), fields, functions, types, bases.c_str());
}

std::string DescribeFunction(const CFunction& function) {
    std::string returnType = TypeName(function.ReturnType);
    std::string name = function.GetName();
    std::string arguments = TypeList(function.Arguments);
    if (const CClassType* owner = ContextClass(function)) {
        return StringPrintf("Method %s %s(%s) is a member of the %s %s in its %s interface, has "
                            "%i lines of code.\n",
                            returnType.c_str(), name.c_str(), arguments.c_str(),
                            owner->GetKind().c_str(), owner->GetName().c_str(),
                            AccessText(function.Access), function.GetLines());
    }
    return StringPrintf("Function %s %s(%s) has %i lines of code.\n", returnType.c_str(),
                        name.c_str(), arguments.c_str(), function.GetLines());
}

std::string DescribeField(const CField& field) {
    std::string name = field.GetName();
    std::string type = TypeName(field.Type);
    if (const CClassType* owner = ContextClass(field)) {
        return StringPrintf("Field %s is a member of the %s %s in its %s interface, is of type %s "
                            "with size %i.\n",
                            name.c_str(), owner->GetKind().c_str(), owner->GetName().c_str(),
                            AccessText(field.Access), type.c_str(), field.GetSize());
    }
    return StringPrintf("Variable %s is of type %s with size %i.\n", name.c_str(), type.c_str(),
                        field.GetSize());
}

std::string DescribeType(const CType& type) {
    return StringPrintf("Type %s of size %i. \n", type.GetName().c_str(), type.GetSize());
}

std::string DescribeFile(const CSourceFile& file) {
    return StringPrintf("File %s has a size of %i bytes.\n", file.GetName().c_str(),
                        file.GetSize());
}

const char* AccessText(int access) {
    switch (access) {
    case AccessPublic:
        return "public";
    case AccessPrivate:
        return "private";
    case AccessProtected:
        return "protected";
    default:
        return "";
    }
}

const CClassType* ContextClass(const CProgramElement& element) {
    CPEContainer* context = element.GetContext();
    if (context == nullptr || !context->IsClass())
        return nullptr;
    return dynamic_cast<const CClassType*>(context);
}

std::string TypeName(const CType* type) {
    return type != nullptr ? type->GetName() : std::string();
}

std::string TypeList(const std::vector<CType*>& types) {
    std::string text;
    for (size_t i = 0; i < types.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += TypeName(types[i]);
    }
    return text;
}
