#include "layout/CTreemapBuilder.h"

#include "layout/CClassRect.h"
#include "layout/CElementGroup.h"
#include "layout/CFieldRect.h"
#include "layout/CFileRect.h"
#include "layout/CFunctionRect.h"
#include "layout/CGroupRect.h"
#include "layout/CNamespaceRect.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CTypeRect.h"
#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"

// The areas below are computed in single precision in the order written: the pictures of
// stored files depend on every rounding.

CTreemapBuilder::CTreemapBuilder(CRectArea& treemap)
    : Treemap(treemap), Layout(treemap.GetLayout()) {}

void CTreemapBuilder::LayOut(CProgramRect& root) {
    CProgram& program = *root.Element;
    Treemap.SetRectOf(&program, &root);
    float ua = root.UsableArea();
    if (!(ua > 0))
        return;
    float f = Layout.FileAreaFactor;
    float fileArea = ua * f;
    float rest = ua - fileArea;
    CRectList list;
    if (f > 0.005f) {
        auto files =
            std::make_unique<CElementGroup>(EGroupKind::File, program.FilesSize, program.FilesLines,
                                            static_cast<int>(program.SourceFiles.size()), &program);
        list.push_back(std::make_unique<CGroupRect>(std::move(files), fileArea, &root, &Treemap));
    }
    if (rest > 0.005f) {
        if (!Layout.Subdivide) {
            int size = program.GetSize();
            for (const auto& ns : program.Namespaces) {
                int w = ns->GetSize();
                if (w > 0 && size > 0) {
                    float area = (static_cast<float>(w) * rest) / static_cast<float>(size);
                    list.push_back(
                        std::make_unique<CNamespaceRect>(ns.get(), area, &root, &Treemap));
                }
            }
        } else {
            auto namespaces = std::make_unique<CElementGroup>(
                EGroupKind::Namespace, program.NamespacesSize, program.NamespacesLines,
                static_cast<int>(program.Namespaces.size()), &program);
            list.push_back(
                std::make_unique<CGroupRect>(std::move(namespaces), rest, &root, &Treemap));
        }
    }
    root.SetChildren(std::move(list));
    root.Squarify();
    for (const auto& child : root.Children)
        LayOutChild(*child);
}

void CTreemapBuilder::LayOutChild(CSqRectangle& rect) {
    switch (rect.GetKind()) {
    case ERectKind::Namespace:
        LayOutNamespace(static_cast<CNamespaceRect&>(rect));
        break;
    case ERectKind::Class:
        LayOutClass(static_cast<CClassRect&>(rect));
        break;
    case ERectKind::Function:
        LayOutFunction(static_cast<CFunctionRect&>(rect));
        break;
    case ERectKind::Group:
        LayOutGroup(static_cast<CGroupRect&>(rect));
        break;
    case ERectKind::Field:
    case ERectKind::Type:
    case ERectKind::File:
        Treemap.SetRectOf(rect.GetElement(), &rect);
        break;
    case ERectKind::Program: // only at the root
        break;
    }
}

void CTreemapBuilder::LayOutNamespace(CNamespaceRect& rect) {
    CNamespace& ns = *rect.Element;
    Treemap.SetRectOf(&ns, &rect);
    float ua = rect.UsableArea();
    if (!(ua > 0))
        return;
    CRectList list;
    int size = ns.GetSize();
    // The child namespaces always get a group, whatever Subdivide says.
    if (ns.NamespacesSize > 0 && size > 0) {
        float area = ua * static_cast<float>(ns.NamespacesSize) / static_cast<float>(size);
        auto group = std::make_unique<CElementGroup>(EGroupKind::Namespace, ns.NamespacesSize,
                                                     ns.NamespacesLines,
                                                     static_cast<int>(ns.Namespaces.size()), &ns);
        list.push_back(std::make_unique<CGroupRect>(std::move(group), area, &rect, &Treemap));
    }
    LayOutMembers(rect, ns, std::move(list));
}

void CTreemapBuilder::LayOutClass(CClassRect& rect) {
    Treemap.SetRectOf(rect.Element, &rect);
    if (!(rect.UsableArea() > 0))
        return;
    LayOutMembers(rect, *rect.Element, {});
}

void CTreemapBuilder::AddGroup(CRectList& list, std::unique_ptr<CElementGroup> group, float ua,
                               float total, CSqRectangle* parent) {
    if (group->GetSize() <= 0)
        return;
    float area = ua * (static_cast<float>(group->GetSize()) / total);
    list.push_back(std::make_unique<CGroupRect>(std::move(group), area, parent, &Treemap));
}

void CTreemapBuilder::LayOutMembers(CSqRectangle& rect, CPEContainer& container, CRectList list) {
    float ua = rect.UsableArea();
    int size = container.GetSize();
    float total = static_cast<float>(size);
    ISquarable* owner = static_cast<CProgramElement*>(&container);
    if (size > 0 && Layout.Subdivide) {
        AddGroup(list,
                 std::make_unique<CElementGroup>(
                     EGroupKind::Function, container.FunctionsSize, container.FunctionsLines,
                     static_cast<int>(container.Functions.size()), owner),
                 ua, total, &rect);
        AddGroup(list,
                 std::make_unique<CElementGroup>(EGroupKind::Field, container.FieldsSize,
                                                 container.FieldsLines,
                                                 static_cast<int>(container.Fields.size()), owner),
                 ua, total, &rect);
        AddGroup(list,
                 std::make_unique<CElementGroup>(EGroupKind::Type, container.TypesSize,
                                                 container.TypesLines,
                                                 static_cast<int>(container.Types.size()), owner),
                 ua, total, &rect);
    } else if (size > 0) {
        if (Layout.UseFunctionLength) {
            float share = ua * (static_cast<float>(container.FunctionsSize) / total);
            for (const auto& function : container.Functions) {
                int w = function->GetLines();
                if (w > 0 && container.FunctionsLines > 0) {
                    float area = (static_cast<float>(w) * share) /
                                 static_cast<float>(container.FunctionsLines);
                    list.push_back(
                        std::make_unique<CFunctionRect>(function.get(), area, &rect, &Treemap));
                }
            }
        } else {
            for (const auto& function : container.Functions) {
                int w = function->GetSize();
                if (w > 0) {
                    float area = (ua * static_cast<float>(w)) / total;
                    list.push_back(
                        std::make_unique<CFunctionRect>(function.get(), area, &rect, &Treemap));
                }
            }
        }
        for (const auto& field : container.Fields) {
            int w = field->GetSize();
            if (w > 0) {
                float area = (ua * static_cast<float>(w)) / total;
                list.push_back(std::make_unique<CFieldRect>(field.get(), area, &rect, &Treemap));
            }
        }
        for (const auto& type : container.Types) {
            if (std::unique_ptr<CSqRectangle> typeRect = TypeRect(*type, total, &rect))
                list.push_back(std::move(typeRect));
        }
    }
    Place(rect, std::move(list), size);
}

void CTreemapBuilder::LayOutFunction(CFunctionRect& rect) {
    CFunction& function = *rect.Element;
    Treemap.SetRectOf(&function, &rect);
    float ua = rect.UsableArea();
    if (!(ua > 0))
        return;
    float a = Layout.ArgAreaFactor;
    if (!(a > 0.005f))
        return;
    // Size is the summed size of the resolved arguments.
    int weight = function.GetSize();
    float argArea = 0;
    if (Layout.UseFunctionLength)
        argArea = ua * a;
    else if (weight > 0)
        argArea = (ua * static_cast<float>(function.Size)) / static_cast<float>(weight);
    CRectList list;
    if (function.Size > 0) {
        for (CType* type : function.Arguments) {
            if (type == nullptr) // did not resolve: no rectangle
                continue;
            float area =
                (static_cast<float>(type->GetSize()) * argArea) / static_cast<float>(function.Size);
            if (area != 0)
                list.push_back(std::make_unique<CTypeRect>(type, area, &rect, &Treemap));
        }
    }
    // The argument types are drawn inside the function, but they are not where the types
    // themselves are laid out.
    rect.SetChildren(std::move(list));
    rect.Squarify();
}

void CTreemapBuilder::LayOutGroup(CGroupRect& rect) {
    float ua = rect.UsableArea();
    if (!(ua > 0))
        return;
    const CElementGroup& group = rect.GetGroup();
    int size = group.Size;
    CRectList list;
    switch (group.Kind) {
    case EGroupKind::Function: {
        auto& owner = dynamic_cast<CPEContainer&>(*group.Owner);
        for (const auto& function : owner.Functions) {
            if (Layout.UseFunctionLength) {
                int w = function->GetLines();
                if (w > 0 && group.Lines > 0) {
                    float area = ua * (static_cast<float>(w) / static_cast<float>(group.Lines));
                    list.push_back(
                        std::make_unique<CFunctionRect>(function.get(), area, &rect, &Treemap));
                }
            } else {
                int w = function->GetSize();
                if (w > 0 && size > 0) {
                    float area = (static_cast<float>(w) * ua) / static_cast<float>(size);
                    list.push_back(
                        std::make_unique<CFunctionRect>(function.get(), area, &rect, &Treemap));
                }
            }
        }
        break;
    }
    case EGroupKind::Field: {
        auto& owner = dynamic_cast<CPEContainer&>(*group.Owner);
        for (const auto& field : owner.Fields) {
            int w = field->GetSize();
            if (w > 0 && size > 0) {
                float area = (static_cast<float>(w) * ua) / static_cast<float>(size);
                list.push_back(std::make_unique<CFieldRect>(field.get(), area, &rect, &Treemap));
            }
        }
        break;
    }
    case EGroupKind::Type: {
        auto& owner = dynamic_cast<CPEContainer&>(*group.Owner);
        for (const auto& type : owner.Types) {
            if (std::unique_ptr<CSqRectangle> typeRect =
                    TypeRect(*type, static_cast<float>(size), &rect))
                list.push_back(std::move(typeRect));
        }
        break;
    }
    case EGroupKind::Namespace: {
        auto* ns = dynamic_cast<CNamespace*>(group.Owner);
        const auto& namespaces =
            ns != nullptr ? ns->Namespaces : dynamic_cast<CProgram&>(*group.Owner).Namespaces;
        for (const auto& child : namespaces) {
            int w = child->GetSize();
            if (w > 0 && size > 0) {
                float area = (ua * static_cast<float>(w)) / static_cast<float>(size);
                list.push_back(
                    std::make_unique<CNamespaceRect>(child.get(), area, &rect, &Treemap));
            }
        }
        break;
    }
    case EGroupKind::File: {
        // Files that all weigh 0 (sources not on this disk) get no rectangles rather than 0 / 0.
        if (size > 0) {
            for (const auto& file : dynamic_cast<CProgram&>(*group.Owner).SourceFiles) {
                float area = (ua * static_cast<float>(file->GetSize())) / static_cast<float>(size);
                if (area != 0)
                    list.push_back(std::make_unique<CFileRect>(file.get(), area, &rect, &Treemap));
            }
        }
        break;
    }
    }
    Place(rect, std::move(list), size);
}

void CTreemapBuilder::Place(CSqRectangle& rect, CRectList list, int weight) {
    rect.SetChildren(std::move(list));
    if (weight != 0)
        rect.Squarify();
    for (const auto& child : rect.Children)
        LayOutChild(*child);
}

std::unique_ptr<CSqRectangle> CTreemapBuilder::TypeRect(CType& type, float total,
                                                        CSqRectangle* parent) {
    int w = type.GetSize();
    if (w == 0 || !(total > 0))
        return nullptr;
    float area = parent->UsableArea() * (static_cast<float>(w) / total);
    if (type.GetTypeKind() == TypeKindClass)
        return std::make_unique<CClassRect>(dynamic_cast<CClassType*>(&type), area, parent,
                                            &Treemap);
    return std::make_unique<CTypeRect>(&type, area, parent, &Treemap);
}
