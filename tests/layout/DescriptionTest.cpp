#include "CLayoutFixture.h"
#include "layout/CClassRect.h"
#include "layout/CFieldGroup.h"
#include "layout/CFileGroup.h"
#include "layout/CFileRect.h"
#include "layout/CFunctionGroup.h"
#include "layout/CNamespaceRect.h"
#include "layout/CNsGroup.h"
#include "layout/CTypeGroup.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

namespace {

// A program with one element of every described kind:
//
//   namespace ::        int add(int, int) on 3 lines; v (int); namespace empty {}
//     struct S          protected x (int)
//     class Foo : A     public Foo(char*) on one line; enum E; void g(int, <unresolved>)
//     class A, class B
//     class Both : A, B { int y; }
class DescriptionTest : public ::testing::Test {
protected:
    DescriptionTest() {
        CBasicType* intType = B.Basic("int");
        CReferenceType* charPtr = B.Derived(B.Basic("char"));
        CBasicType* voidType = B.Basic("void");
        Global = B.Namespace("::");
        Add = B.Function("add", Global, 10, 13, {intType, intType}, intType);
        V = B.Field("v", Global, intType);
        Empty = B.Namespace("empty", Global);
        S = B.Class("S", Global, {}, "Struct");
        X = B.Field("x", S, intType, AccessProtected);
        A = B.Class("A", Global);
        B.Field("a", A, intType);
        Foo = B.Class("Foo", Global, {A});
        Ctor = B.Function("Foo", Foo, 7, 7, {charPtr}, nullptr, AccessPublic);
        E = B.Enum("E", Foo);
        G = B.Function("g", Foo, 1, 2, {intType, nullptr}, voidType, AccessPrivate);
        CClassType* base = B.Class("B", Global);
        B.Field("b", base, intType);
        Both = B.Class("Both", Global, {A, base});
        B.Field("y", Both, intType);
        Dir.WriteFile("main.cpp", std::string(1234, 'x'));
        File = B.File(Dir.Path() + "/main.cpp");
        Missing = B.File(Dir.Path() + "/gone.h");
    }

    CRectArea& Build(bool subdivide) {
        Treemap.reset();
        Settings.reset();
        CLayoutSettings layout;
        layout.Subdivide = subdivide;
        Settings = std::make_unique<CScopedSettings>(layout);
        B.GetProgram()->ComputeSize();
        Treemap = std::make_unique<CRectArea>(B.GetProgram(), &View);
        return *Treemap;
    }

    static std::string Describe(ISquarable* square) {
        CSqRectangle* rect = square->GetRect();
        return rect != nullptr ? rect->GetDescription() : "(no rectangle)";
    }

    CTempDir Dir;
    CModelBuilder B;
    CNamespace *Global, *Empty;
    CFunction *Add, *Ctor, *G;
    CField *V, *X;
    CClassType *S, *A, *Foo, *Both;
    CEnumType* E;
    CSourceFile *File, *Missing;
    CFixedViewUnits View{800};
    std::unique_ptr<CScopedSettings> Settings;
    std::unique_ptr<CRectArea> Treemap;
};

} // namespace

TEST_F(DescriptionTest, ElementForms) {
    Build(false); // members directly in their containers: a free function at depth 2
    CProgram* program = B.GetProgram();
    EXPECT_EQ("The program has 11 number of lines and its files are 1234 bytes in size.\nSquare "
              "layer: 0",
              Describe(program));
    EXPECT_EQ("File " + File->Name + " has a size of 1234 bytes.\nSquare layer: 2", Describe(File));
    EXPECT_EQ("Function int add(int, int) has 3 lines of code.\nSquare layer: 2", Describe(Add));
    EXPECT_EQ("Variable v is of type int with size 4.\nSquare layer: 2", Describe(V));
    EXPECT_EQ("Field x is a member of the Struct S in its protected interface, is of type int "
              "with size 4.\nSquare layer: 3",
              Describe(X));
    EXPECT_EQ("Method  Foo(char *) is a member of the Class Foo in its public interface, has 1 "
              "lines of code.\nSquare layer: 3",
              Describe(Ctor));
    EXPECT_EQ("Method void g(int, ) is a member of the Class Foo in its private interface, has "
              "1 lines of code.\nSquare layer: 3",
              Describe(G));
    EXPECT_EQ("Type E of size 4. \nSquare layer: 3", Describe(E));
    EXPECT_EQ("Struct named S contains 1 fields, 0 functions and 0 types.\nSquare layer: 2",
              Describe(S));
    EXPECT_EQ("Class named Foo contains 0 fields, 2 functions and 1 types. It inherits from the "
              "following classes: { A }.\nSquare layer: 2",
              Describe(Foo));
    EXPECT_EQ("Class named Both contains 1 fields, 0 functions and 0 types. It inherits from "
              "the following classes: { A, B }.\nSquare layer: 2",
              Describe(Both));
    EXPECT_EQ("The namespace named :: contains 1 fields, 1 functions, 5 types and 1 "
              "namespaces.\nSquare layer: 1",
              Describe(Global));

    // Elements of weight 0 get no rectangle; their descriptions still have a form.
    CSqRectangle* root = Treemap->GetRoot();
    CNamespaceRect empty(Empty, 1, root, Treemap.get());
    empty.ComputeCushion(false);
    EXPECT_EQ("The namespace named empty contains 0 fields, 0 functions, 0 types and 0 "
              "namespaces.\nSquare layer: 1",
              empty.GetDescription());
    CFileRect missing(Missing, 1, root, Treemap.get());
    missing.ComputeCushion(false);
    EXPECT_EQ("File " + Missing->Name + " has a size of 0 bytes.\nSquare layer: 1",
              missing.GetDescription());
}

TEST_F(DescriptionTest, GroupForms) {
    Build(true);
    CProgram* program = B.GetProgram();
    EXPECT_EQ("Group of 2 Files.\nSquare layer: 1", Describe(program->FileGroup));
    EXPECT_EQ("Group of 1 Namespaces.\nSquare layer: 1", Describe(program->NamespaceGroup));
    EXPECT_EQ("Group of 1 Functions.\nSquare layer: 3", Describe(Global->FunctionGroup));
    EXPECT_EQ("Group of 1 Fields.\nSquare layer: 3", Describe(Global->FieldGroup));
    EXPECT_EQ("Group of 5 Types.\nSquare layer: 3", Describe(Global->TypeGroup));
    // The empty namespace is counted though it weighs nothing; the group gets no rectangle
    // since no child namespace has weight.
    EXPECT_EQ(nullptr, Global->NamespaceGroup->GetRect());
    EXPECT_EQ(1, Global->NamespaceGroup->GetCount());
    // Descriptions read the depth, which counts group levels.
    EXPECT_EQ("Function int add(int, int) has 3 lines of code.\nSquare layer: 4", Describe(Add));
}
