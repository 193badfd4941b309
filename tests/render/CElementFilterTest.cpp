#include "render/CElementFilter.h"
#include "import/LoadProgram.h"
#include "support/CModelBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(const CElementFilter& filter) {
    std::vector<std::string> names;
    for (ISquarable* element : filter.Results)
        names.push_back(element->GetName());
    return names;
}

std::vector<std::string> FindByName(CProgram* program, const std::string& name,
                                    CSourceFile* file = nullptr) {
    CElementFilter filter;
    CNameCriterion* criterion = filter.AddNameCriterion();
    criterion->Name = name;
    criterion->SourceFile = file;
    filter.SearchProgram(program);
    return Names(filter);
}

using Strings = std::vector<std::string>;

} // namespace

TEST(ElementFilter, NamesMatchWholeAndCaseSensitive) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CNamespace* global = b.Namespace("::");
    CNamespace* fooNs = b.Namespace("Foo", global);
    CClassType* fooClass = b.Class("Foo", global);
    b.Function("Foo", fooClass, 1, 2); // a constructor: same name as the class
    b.Field("Foo", fooClass, intType);
    b.Function("foo", global, 1, 2);
    b.Function("Foo2", global, 1, 2);
    b.Function("Foo::Foo", global, 1, 2);
    b.Typedef("Foo", fooNs, intType);
    b.Enum("Foo", global);
    b.Field("Foo", global, intType);
    b.GetProgram()->ComputeSize();
    // Child namespace first (itself, then its types); then the global namespace's fields,
    // functions and types; inside a class: the class, its fields, its functions.
    CElementFilter filter;
    filter.AddNameCriterion()->Name = "Foo";
    filter.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings(7, "Foo"), Names(filter));
    ASSERT_EQ(7u, filter.Results.size());
    EXPECT_NE(nullptr, dynamic_cast<CNamespace*>(filter.Results[0]));
    EXPECT_NE(nullptr, dynamic_cast<CAliasType*>(filter.Results[1]));
    EXPECT_NE(nullptr, dynamic_cast<CField*>(filter.Results[2]));
    EXPECT_NE(nullptr, dynamic_cast<CClassType*>(filter.Results[3]));
    EXPECT_NE(nullptr, dynamic_cast<CField*>(filter.Results[4]));
    EXPECT_NE(nullptr, dynamic_cast<CFunction*>(filter.Results[5]));
    EXPECT_NE(nullptr, dynamic_cast<CEnumType*>(filter.Results[6]));
    EXPECT_EQ(Strings({"foo"}), FindByName(b.GetProgram(), "foo"));
    EXPECT_EQ(Strings(), FindByName(b.GetProgram(), "Fo"));
    EXPECT_EQ(Strings({"Program"}), FindByName(b.GetProgram(), "Program"));
}

TEST(ElementFilter, EmptyNameWithAFileFindsEverythingDeclaredInIt) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CSourceFile* f = b.File("f.h");
    CSourceFile* g = b.File("g.h");
    CNamespace* global = b.Namespace("::");
    CNamespace* inner = b.Namespace("inner", global);
    CClassType* cls = b.Class("C", inner, {}, "Struct", f);
    b.Field("member", cls, intType, AccessPrivate, f);
    b.Function("method", cls, 1, 2, {}, nullptr, AccessPublic, f);
    b.Function("elsewhere", cls, 1, 2, {}, nullptr, AccessPublic, g);
    b.Enum("E", global, f);
    b.Typedef("T", global, intType, f);
    b.Field("var", global, intType, AccessPublic, f);
    b.Function("free", inner, 3, 4, {}, nullptr, AccessPublic, f);
    b.GetProgram()->ComputeSize();
    EXPECT_EQ(Strings({"free", "C", "member", "method", "var", "E", "T"}),
              FindByName(b.GetProgram(), "", f));
    EXPECT_EQ(Strings({"elsewhere"}), FindByName(b.GetProgram(), "", g));
    // With no file either, every element the walk visits passes, files included.
    EXPECT_EQ(Strings({"Program", "f.h", "g.h", "inner", "free", "C", "member", "method",
                       "elsewhere", "::", "var", "E", "T"}),
              FindByName(b.GetProgram(), ""));
}

TEST(ElementFilter, ClassCriteriaFollowBasesThroughSeveralLevels) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* a = b.Class("A", global);
    CClassType* other = b.Class("Other", global);
    CClassType* bb = b.Class("B", global, {other, a});
    CClassType* d = b.Class("D", global, {bb});
    b.Class("E", global, {d});
    b.Class("Unrelated", global, {other});
    b.GetProgram()->ComputeSize();

    CElementFilter ancestor;
    ancestor.AddClassCriterion()->Ancestor = a;
    ancestor.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"B", "D", "E"}), Names(ancestor));

    CElementFilter direct;
    direct.AddClassCriterion()->DirectBase = a;
    direct.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"B"}), Names(direct));

    CElementFilter both; // direct base Other and an ancestor A
    CClassCriterion* criterion = both.AddClassCriterion();
    criterion->DirectBase = other;
    criterion->Ancestor = a;
    both.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"B"}), Names(both));
    EXPECT_FALSE(CClassCriterion::DerivesFrom(a, a));
    EXPECT_TRUE(CClassCriterion::DerivesFrom(d, other));
}

TEST(ElementFilter, TypeCriteriaMatchByIdentityAndRepeatsAreSuppressedOnlyInARow) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CNamespace* other = b.Namespace("other", global);
    CClassType* a = b.Class("A", global);
    b.Typedef("AliasOfA", global, a);
    b.Class("A", other); // same name, another object
    CClassType* derived = b.Class("Derived", global, {a});
    b.GetProgram()->ComputeSize();

    CElementFilter byType;
    byType.AddTypeCriterion()->Type = a;
    byType.SearchProgram(b.GetProgram());
    ASSERT_EQ(1u, byType.Results.size());
    EXPECT_EQ(static_cast<ISquarable*>(static_cast<CType*>(a)), byType.Results[0]);

    // A class passing both a class criterion and a type criterion is listed once.
    CElementFilter twice;
    twice.AddClassCriterion()->Ancestor = a;
    twice.AddTypeCriterion()->Type = derived;
    twice.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"Derived"}), Names(twice));

    // Two name criteria passing the same element list it once.
    CElementFilter names;
    names.AddNameCriterion()->Name = "Derived";
    names.AddNameCriterion()->Name = "Derived";
    names.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"Derived"}), Names(names));
}

TEST(ElementFilter, DerivedTypesInATypeGroupStandForTheirBase) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* c = b.Class("C", global);
    b.Enum("Other", global);
    auto* pointer = new CReferenceType(); // crafted: a derived type listed as a member
    pointer->BaseType = c;
    global->AddType(pointer);
    auto* loop = new CReferenceType(); // a chain that loops back into itself
    loop->BaseType = loop;
    global->AddType(loop);
    b.GetProgram()->ComputeSize();

    CElementFilter filter;
    filter.AddTypeCriterion()->Type = c;
    filter.AddNameCriterion()->Name = "Other";
    filter.SearchProgram(b.GetProgram());
    // C found as itself, then Other, then C again through the pointer: repeated, because
    // another entry came in between.
    EXPECT_EQ(Strings({"C", "Other", "C"}), Names(filter));

    CElementFilter pointers;
    pointers.AddTypeCriterion()->Type = pointer;
    pointers.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"C *"}), Names(pointers));
}

TEST(ElementFilter, CyclicBasesEndTheSearch) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* a = b.Class("A", global);
    CClassType* bb = b.Class("B", global, {a});
    a->Bases.push_back(bb); // A derives from B, B from A
    CClassType* c = b.Class("C", global, {a, a});
    b.GetProgram()->ComputeSize();
    CElementFilter filter;
    filter.AddClassCriterion()->Ancestor = a;
    filter.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"A", "B", "C"}), Names(filter)); // A reaches itself through B
    EXPECT_FALSE(CClassCriterion::DerivesFrom(c, b.Class("Lone", global)));
}

TEST(ElementFilter, NestedNamespacesComeBeforeTheirParentAndEmptyFiltersFindNothing) {
    CModelBuilder b;
    CNamespace* n1 = b.Namespace("N1");
    CNamespace* n2 = b.Namespace("N2", n1);
    b.Namespace("N3", n2);
    b.Function("f1", n1, 1, 1);
    b.Function("f2", n2, 1, 1);
    b.Namespace("Second");
    b.GetProgram()->ComputeSize();
    EXPECT_EQ(Strings({"Program", "N3", "N2", "f2", "N1", "f1", "Second"}),
              FindByName(b.GetProgram(), ""));
    CElementFilter empty;
    empty.SearchProgram(b.GetProgram());
    EXPECT_TRUE(empty.Results.empty());
    // A second walk appends after the first.
    CElementFilter again;
    again.AddNameCriterion()->Name = "f2";
    again.SearchProgram(b.GetProgram());
    again.SearchProgram(b.GetProgram());
    EXPECT_EQ(Strings({"f2"}), Names(again)); // the repeat came right after itself
}

TEST(ElementFilter, RealHeaderDerivationAndNames) {
    std::unique_ptr<CProgram> program =
        LoadProgram(QUARN_BINARY_DIR "/fixtures/iostream.xml", nullptr);
    program->ComputeSize();
    // std::cout is declared as "extern ostream cout;".
    CElementFilter cout;
    cout.AddNameCriterion()->Name = "cout";
    cout.SearchProgram(program.get());
    ASSERT_EQ(1u, cout.Results.size());
    auto* variable = dynamic_cast<CField*>(cout.Results[0]);
    ASSERT_NE(nullptr, variable);
    EXPECT_EQ("ostream", variable->Type->GetName());
    EXPECT_EQ("std", variable->Context->GetName());

    // basic_ostream<char> derives from basic_ios<char>, which derives from ios_base.
    CElementFilter base;
    base.AddNameCriterion()->Name = "ios_base";
    base.SearchProgram(program.get());
    auto* iosBase = dynamic_cast<CClassType*>(base.Results.at(0));
    ASSERT_NE(nullptr, iosBase);
    CElementFilter derived;
    derived.AddClassCriterion()->Ancestor = iosBase;
    derived.SearchProgram(program.get());
    Strings names = Names(derived);
    for (const char* name : {"basic_ios<char>", "basic_ostream<char>", "basic_istream<char>",
                             "basic_iostream<char>", "basic_ostream<wchar_t>"})
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), name)) << name;
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "ios_base"));
    CElementFilter direct;
    direct.AddClassCriterion()->DirectBase = iosBase;
    direct.SearchProgram(program.get());
    EXPECT_EQ(Strings({"basic_ios<char>", "basic_ios<wchar_t>"}), Names(direct));
}
