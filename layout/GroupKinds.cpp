#include "layout/GroupKinds.h"

const CGroupKind& GroupKindOf(EGroupKind kind) {
    static const CGroupKind kinds[] = {
        {"Function group of ", "CGrpFunctionRect", "Functions",
         &CLooksSettings::FunctionGroupColor},
        {"Field group of ", "CGrpFieldRect", "Fields", &CLooksSettings::FieldGroupColor},
        {"Type group of ", "CGrpTypeRect", "Types", &CLooksSettings::TypeGroupColor},
        {"Namespace group of ", "CGrpNsRect", "Namespaces", &CLooksSettings::NamespaceGroupColor},
        {"File group of ", "CGrpFileRect", "Files", &CLooksSettings::FileGroupColor},
    };
    return kinds[static_cast<int>(kind)];
}
