#include "layout/DescriptionText.h"

#include "model/CClassType.h"

const char* AccessText(int access) {
    switch (access) {
    case 0:
        return "public";
    case 1:
        return "private";
    case 2:
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
