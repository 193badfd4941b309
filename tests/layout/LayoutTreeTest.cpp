#include "CLayoutFixture.h"
#include "layout/CClassRect.h"
#include "layout/CFieldGroup.h"
#include "layout/CFileGroup.h"
#include "layout/CFunctionGroup.h"
#include "layout/CFunctionRect.h"
#include "layout/CNsGroup.h"
#include "layout/CTypeGroup.h"
#include "support/CTempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// A small program with members of every kind, some of weight 0, laid out on demand.
//
//   namespace ::      v (int), nothing (void), class Empty {}, namespace empty {}
//     namespace inner free(int) on 2 lines
//       class C       x (int), m(int, char*, <unresolved>) on 5 lines, enum E
//   files: present.h (100 bytes), missing.h
class LayoutTreeTest : public ::testing::Test {
protected:
    LayoutTreeTest() {
        Int = B.Basic("int");
        CBasicType* voidType = B.Basic("void");
        CReferenceType* charPtr = B.Derived(B.Basic("char"));
        Global = B.Namespace("::");
        Inner = B.Namespace("inner", Global);
        Empty = B.Namespace("empty", Global);
        Cls = B.Class("C", Inner);
        X = B.Field("x", Cls, Int);
        Method = B.Function("m", Cls, 1, 5, {Int, charPtr, nullptr});
        Enum = B.Enum("E", Cls);
        Free = B.Function("free", Inner, 1, 2, {Int});
        V = B.Field("v", Global, Int);
        Nothing = B.Field("nothing", Global, voidType);
        EmptyCls = B.Class("Empty", Global);
        Dir.WriteFile("present.h", std::string(100, 'x'));
        Present = B.File(Dir.Path() + "/present.h");
        Missing = B.File(Dir.Path() + "/missing.h");
    }

    // Installs the settings, sizes the model (once) and lays it out.
    CRectArea& Build(const CLayoutSettings& layout = {}, const CLooksSettings& looks = {}) {
        Treemap.reset();
        Settings.reset(); // its destructor restores the defaults
        Settings = std::make_unique<CScopedSettings>(layout, looks);
        Program()->ComputeSize();
        Treemap = std::make_unique<CRectArea>(Program(), &View);
        return *Treemap;
    }

    CProgram* Program() const { return B.GetProgram(); }
    CSqRectangle* Root() const { return Treemap->GetRoot(); }

    // Every element and group of the model that can hold a rectangle.
    std::vector<ISquarable*> AllSquares() const {
        std::vector<ISquarable*> squares = {Program(), Program()->FileGroup,
                                            Program()->NamespaceGroup, Present, Missing};
        std::vector<CPEContainer*> containers = {Global, Inner, Empty, Cls, EmptyCls};
        for (CPEContainer* c : containers) {
            squares.push_back(c);
            squares.push_back(c->FunctionGroup);
            squares.push_back(c->FieldGroup);
            squares.push_back(c->TypeGroup);
            for (CField* f : c->Fields)
                squares.push_back(f);
            for (CFunction* f : c->Functions)
                squares.push_back(f);
            for (CType* t : c->Types)
                squares.push_back(t);
        }
        for (CNamespace* ns : {Global, Inner, Empty})
            squares.push_back(ns->NamespaceGroup);
        return squares;
    }

    CTempDir Dir;
    CModelBuilder B;
    CBasicType* Int;
    CNamespace *Global, *Inner, *Empty;
    CClassType *Cls, *EmptyCls;
    CField *X, *V, *Nothing;
    CFunction *Method, *Free;
    CEnumType* Enum;
    CSourceFile *Present, *Missing;
    CFixedViewUnits View{800};
    std::unique_ptr<CScopedSettings> Settings;
    std::unique_ptr<CRectArea> Treemap;
};

std::vector<std::string> ClassNames(const CSqRectangle* rect) {
    std::vector<std::string> names;
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children)
        names.push_back(child->GetClassName());
    return names;
}

float ChildAreaSum(const CSqRectangle* rect) {
    float sum = 0;
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children)
        sum += child->Area;
    return sum;
}

using Names = std::vector<std::string>;

} // namespace

TEST_F(LayoutTreeTest, GroupedTreeMirrorsTheModelAndSkipsWeightlessElements) {
    Build();
    CSqRectangle* root = Root();
    EXPECT_EQ(0, root->MinX);
    EXPECT_EQ(2, root->MaxY);
    EXPECT_EQ(static_cast<float>(Program()->GetSize()), root->Area);
    EXPECT_EQ(root, Program()->GetRect());
    EXPECT_EQ(Names({"CGrpFileRect", "CGrpNsRect"}), ClassNames(root));
    EXPECT_EQ(Names({"CFileRect"}), ClassNames(Program()->FileGroup->GetRect()));
    EXPECT_EQ(Names({"CNamespaceRect"}), ClassNames(Program()->NamespaceGroup->GetRect()));
    // The global namespace: its namespace group first, then the field group; Empty and the
    // empty namespace weigh nothing, so no type group and only one namespace in the group.
    EXPECT_EQ(Names({"CGrpNsRect", "CGrpFieldRect"}), ClassNames(Global->GetRect()));
    EXPECT_EQ(Names({"CNamespaceRect"}), ClassNames(Global->NamespaceGroup->GetRect()));
    EXPECT_EQ(Names({"CFieldRect"}), ClassNames(Global->FieldGroup->GetRect()));
    EXPECT_EQ(Names({"CGrpFunctionRect", "CGrpTypeRect"}), ClassNames(Inner->GetRect()));
    EXPECT_EQ(Names({"CClassRect"}), ClassNames(Inner->TypeGroup->GetRect()));
    EXPECT_EQ(Names({"CGrpFunctionRect", "CGrpFieldRect", "CGrpTypeRect"}),
              ClassNames(Cls->GetRect()));
    EXPECT_EQ(Names({"CTypeRect"}), ClassNames(Cls->TypeGroup->GetRect()));
    // The method's argument types: int and char*, not the unresolved one; the argument
    // rectangles are not recorded in the types.
    CSqRectangle* method = Method->GetRect();
    ASSERT_NE(nullptr, method);
    EXPECT_EQ(Names({"CTypeRect", "CTypeRect"}), ClassNames(method));
    EXPECT_EQ(static_cast<ISquarable*>(Int), method->Children[0]->GetElement());
    EXPECT_EQ(nullptr, Int->GetRect());

    for (ISquarable* none : std::vector<ISquarable*>{Empty, EmptyCls, Nothing, Missing,
                                                     Global->TypeGroup, Global->FunctionGroup})
        EXPECT_EQ(nullptr, none->GetRect()) << none->GetName();
    // Every rectangle that stands for an element is the element's rect (argument types
    // excepted), and containers are the only rects that are containers.
    ForEachRect(root, [&](CSqRectangle* r) {
        if (dynamic_cast<CFunctionRect*>(r->Parent) == nullptr) {
            EXPECT_EQ(r, r->GetElement()->GetRect()) << r->GetClassName();
        }
        bool container = std::string(r->GetClassName()) == "CProgramRect" ||
                         std::string(r->GetClassName()) == "CNamespaceRect" ||
                         std::string(r->GetClassName()) == "CClassRect";
        EXPECT_EQ(container, r->IsContainer()) << r->GetClassName();
    });
}

TEST_F(LayoutTreeTest, ChildAreasAddUpToTheUsableAreaAndTheBoxesFollowThem) {
    Build();
    ForEachRect(Root(), [&](CSqRectangle* r) {
        if (r->Children.empty())
            return;
        float ua = r->UsableArea();
        float expected = ua;
        if (auto* function = dynamic_cast<CFunctionRect*>(r)) // the arguments' share
            expected = ua * function->Element->Size / function->Element->GetSize();
        EXPECT_NEAR(expected, ChildAreaSum(r), 1e-5f * ua) << r->GetClassName();
        for (const std::unique_ptr<CSqRectangle>& c : r->Children) {
            EXPECT_NEAR(c->Area, c->GetWidth() * c->GetHeight(), 1e-4f * c->Area)
                << c->GetClassName();
            EXPECT_GE(c->MinX, 0);
            EXPECT_GE(c->MinY, 0);
            EXPECT_LE(c->MaxX, r->GetWidth() * 1.00001f);
            EXPECT_LE(c->MaxY, r->GetHeight() * 1.00001f);
        }
    });
    // Containers keep ChildAreaFactor of their box; the program gives 0.6 to its files.
    float ua = 4 * 0.9f;
    EXPECT_EQ(ua * 0.6f, Root()->Children[0]->Area);
    EXPECT_EQ(ua - ua * 0.6f, Root()->Children[1]->Area);
}

TEST_F(LayoutTreeTest, SmallFileShareMeansNoFileGroupRect) {
    CLayoutSettings layout;
    layout.FileAreaFactor = 0.005f;
    Build(layout);
    ASSERT_EQ(Names({"CGrpNsRect"}), ClassNames(Root()));
    float ua = 4 * 0.9f;
    EXPECT_EQ(ua - ua * 0.005f, Root()->Children[0]->Area);
    EXPECT_EQ(nullptr, Program()->FileGroup->GetRect());

    layout.FileAreaFactor = 0.0051f;
    Build(layout);
    EXPECT_EQ(Names({"CGrpFileRect", "CGrpNsRect"}), ClassNames(Root()));
}

TEST_F(LayoutTreeTest, WithoutSubdivisionMembersArePlacedDirectlyButNamespacesStayGrouped) {
    CLayoutSettings layout;
    layout.Subdivide = false;
    Build(layout);
    EXPECT_EQ(Names({"CGrpFileRect", "CNamespaceRect"}), ClassNames(Root()));
    EXPECT_EQ(Names({"CGrpNsRect", "CFieldRect"}), ClassNames(Global->GetRect()));
    EXPECT_EQ(Names({"CNamespaceRect"}), ClassNames(Global->NamespaceGroup->GetRect()));
    EXPECT_EQ(Names({"CFunctionRect", "CClassRect"}), ClassNames(Inner->GetRect()));
    EXPECT_EQ(Names({"CFunctionRect", "CFieldRect", "CTypeRect"}), ClassNames(Cls->GetRect()));
    EXPECT_EQ(nullptr, Program()->NamespaceGroup->GetRect());
    EXPECT_EQ(nullptr, Cls->FunctionGroup->GetRect());
    // Members share the container's usable area by weight: m 12, x 4, E 4 of 20.
    CSqRectangle* cls = Cls->GetRect();
    float ua = cls->UsableArea();
    EXPECT_EQ((ua * 12) / 20, cls->Children[0]->Area);
    EXPECT_EQ((ua * 4) / 20, cls->Children[1]->Area);
    EXPECT_EQ(ua * (4.0f / 20), cls->Children[2]->Area);
}

TEST_F(LayoutTreeTest, FunctionLengthSettingWeighsByLinesAndReservesTheArgumentShare) {
    CLayoutSettings layout;
    layout.UseFunctionLength = true;
    layout.Subdivide = false;
    Build(layout);
    // Functions share the functions' part of the container in proportion to their lines.
    CSqRectangle* inner = Inner->GetRect();
    float ua = inner->UsableArea();
    float share = ua * (static_cast<float>(Inner->FunctionsSize) / Inner->GetSize());
    EXPECT_EQ((1 * share) / 1, Free->GetRect()->Area);
    // The arguments get ArgAreaFactor of the function's box, split by their sizes.
    CSqRectangle* method = Method->GetRect();
    float argArea = method->UsableArea() * 0.3f;
    ASSERT_EQ(2u, method->Children.size());
    EXPECT_EQ((4 * argArea) / 8, method->Children[0]->Area);
    EXPECT_EQ((4 * argArea) / 8, method->Children[1]->Area);

    // Below the threshold the arguments get nothing.
    layout.ArgAreaFactor = 0.005f;
    Build(layout);
    EXPECT_TRUE(Method->GetRect()->Children.empty());
}

TEST_F(LayoutTreeTest, FunctionsWithoutArgumentsHaveNoChildren) {
    CFunction* bare = B.Function("bare", Inner, 3, 9);
    Build();
    ASSERT_NE(nullptr, bare->GetRect());
    EXPECT_TRUE(bare->GetRect()->Children.empty());
    CLayoutSettings layout;
    layout.UseFunctionLength = true;
    Build(layout);
    EXPECT_TRUE(bare->GetRect()->Children.empty());
}

TEST_F(LayoutTreeTest, FilesThatAllWeighNothingGetNoRectangles) {
    Present->Name = Dir.Path() + "/also-missing.h";
    Build();
    EXPECT_EQ(0, Program()->FileGroup->GetSize());
    CSqRectangle* group = Program()->FileGroup->GetRect();
    ASSERT_NE(nullptr, group);
    EXPECT_TRUE(group->Children.empty());
    ForEachRect(Root(), [](CSqRectangle* r) {
        EXPECT_TRUE(std::isfinite(r->Area) && std::isfinite(r->Screen.MinX) &&
                    std::isfinite(r->Screen.MaxY) && std::isfinite(r->S2x) && std::isfinite(r->S0y))
            << r->GetClassName();
    });
}

TEST_F(LayoutTreeTest, ARebuildLeavesNoElementPointingIntoAnOldTree) {
    Build();
    CSqRectangle* oldFileGroup = Program()->FileGroup->GetRect();
    ASSERT_NE(nullptr, oldFileGroup);
    ASSERT_NE(nullptr, Cls->FunctionGroup->GetRect());

    // Destroying the tree clears every rect it set.
    Treemap.reset();
    for (ISquarable* square : AllSquares())
        EXPECT_EQ(nullptr, square->GetRect()) << square->GetName();

    // A second layout drops the file group and the member groups: nothing keeps a rect of the
    // first tree, even while that tree still exists.
    Build();
    std::unique_ptr<CRectArea> first = std::move(Treemap);
    CLayoutSettings layout;
    layout.FileAreaFactor = 0;
    layout.Subdivide = false;
    Build(layout);
    first.reset();
    std::set<CSqRectangle*> current;
    ForEachRect(Root(), [&](CSqRectangle* r) { current.insert(r); });
    for (ISquarable* square : AllSquares()) {
        CSqRectangle* rect = square->GetRect();
        EXPECT_TRUE(rect == nullptr || current.count(rect) == 1) << square->GetName();
    }
    EXPECT_EQ(nullptr, Program()->FileGroup->GetRect());
    EXPECT_EQ(nullptr, Program()->NamespaceGroup->GetRect());
    EXPECT_EQ(nullptr, Cls->FunctionGroup->GetRect());
    EXPECT_NE(nullptr, Cls->GetRect());

    // Laying a group out again replaces its children.
    CSqRectangle* method = Method->GetRect();
    CSqRectangle* firstArgument = method->Children[0].get();
    Method->SetRect(method, Treemap.get());
    EXPECT_NE(firstArgument, method->Children[0].get());
    EXPECT_EQ(2u, method->Children.size());
}
