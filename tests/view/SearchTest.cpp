#include "view/CElementFilter.h"

#include "base/CLogFile.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CRectArea.h"
#include "model/CSizing.h"
#include "model/ElementSummary.h"
#include "support/CTestModel.h"
#include "view/CQuery.h"
#include "view/IQueryTarget.h"

#include <gtest/gtest.h>

namespace {

using Found = std::vector<ISquarable*>;

// Searches program with a type criterion when type is given, and a name criterion unless
// only a type is given.
Found Search(CProgram* program, const std::string& name, CSourceFile* file = nullptr,
             CType* type = nullptr) {
    CElementFilter filter;
    if (type != nullptr)
        filter.AddTypeCriterion()->Type = type;
    if (type == nullptr || !name.empty()) {
        filter.AddNameCriterion()->Name = name;
        filter.NameCriteria.back()->SourceFile = file;
    }
    filter.SearchProgram(program);
    return filter.Results;
}

} // namespace

TEST(ElementSearch, NamesMatchWholeAndCaseSensitiveOverEveryKindAndFilesPassWhatTheyDeclare) {
    CTestModel m;
    CBasicType* intType = m.Basic("int");
    CSourceFile* fooFile = m.File("Foo");
    CSourceFile* a = m.File("a.h");
    CNamespace* global = m.Namespace("::");
    CNamespace* fooNs = m.Namespace("Foo", global);
    CAliasType* alias = m.Typedef("Foo", fooNs, intType);
    CField* variable = m.Field("Foo", global, intType, a);
    CFunction* lower = m.Function("foo", global, 1, 2);
    CFunction* longer = m.Function("Foo2", global, 1, 2, {}, nullptr, a);
    CFunction* qualified = m.Function("Foo::Foo", global, 1, 2, {}, nullptr, a);
    CClassType* cls = m.Class("Foo", global, {}, a);
    CField* member = m.Field("Foo", cls, intType, a);
    CFunction* constructor = m.Function("Foo", cls, 1, 2, {}, nullptr, a);
    CEnumType* enumeration = m.Enum("Foo", global, a);
    CProgram* p = m.GetProgram();
    // The files; child namespaces before their parent; in a scope its fields, functions and
    // types; inside a class the class, its fields and its functions.
    EXPECT_EQ(Found({fooFile, fooNs, alias, variable, cls, member, constructor, enumeration}),
              Search(p, "Foo"));
    EXPECT_EQ(Found({p, fooFile, a, fooNs, alias, global, variable, lower, longer, qualified, cls,
                     member, constructor, enumeration}),
              Search(p, ""));
    EXPECT_EQ(Found({variable, longer, qualified, cls, member, constructor, enumeration}),
              Search(p, "", a));
}

// Qualified names against scopes innermost last, with the case and whole-name options; the
// list's kind, qualified name and place of what is found.
TEST(ElementSearch, QualifiedNamesMatchTheInnermostScopesAndTheOptionsApplyToTheirParts) {
    CTestModel m;
    CSourceFile* file = m.File("a.h");
    CNamespace* global = m.Namespace("::");
    CNamespace* geo = m.Namespace("geo", global);
    CNamespace* outer = m.Namespace("outer", global);
    CClassType* registry = m.Class("Registry", geo);
    CFunction* add = m.Function("Add", registry, 12, 14, {}, nullptr, file);
    m.Function("add", geo, 1, 2);
    CFunction* globalAdd = m.Function("Add", global, 1, 2);
    CFunction* outerAdd = m.Function("Add", m.Class("Registry", m.Namespace("geo", outer)), 1, 2);
    CClassType* vector = m.Class("vector<std::string>", geo);
    CFunction* pushBack = m.Function("push_back", vector, 1, 2);
    const std::tuple<const char*, bool, bool, Found> cases[] = {
        {"Add", true, true, {add, outerAdd, globalAdd}},
        {"Registry::Add", true, true, {add, outerAdd}},
        {"outer::Registry::Add", true, true, {}}, // not the innermost scopes
        {"::geo::Registry::Add", true, true, {add}},
        {"GEO::registry::ADD", false, true, {add, outerAdd}},
        {"Registry::dd", true, false, {add, outerAdd}},
        {"Reg::Add", true, false, {}}, // a scope is a whole name
        {"vector<std::string>::push_back", true, true, {pushBack}},
    };
    for (const auto& [text, matchCase, wholeName, found] : cases) {
        CElementFilter filter;
        CNameCriterion* criterion = filter.AddNameCriterion();
        std::tie(criterion->Name, criterion->MatchCase, criterion->WholeName) =
            std::make_tuple(text, matchCase, wholeName);
        filter.SearchProgram(m.GetProgram());
        EXPECT_EQ(found, filter.Results) << text << " " << matchCase << wholeName;
    }
    EXPECT_EQ("method geo::Registry::Add a.h:12",
              KindName(*add) + " " + QualifiedName(*add) + " " + SourceLocation(*add));
}

TEST(ElementSearch, ClassCriteriaPassByDirectBaseAndByAncestry) {
    CTestModel m;
    CNamespace* g = m.Namespace("::");
    CClassType* a = m.Class("A", g);
    CClassType* other = m.Class("Other", g);
    CClassType* b = m.Class("B", g, {other, a});
    CClassType* d = m.Class("D", g, {b});
    CClassType* e = m.Class("E", g, {d});
    CClassType* left = m.Class("Left", g, {a});
    CClassType* x = m.Class("X", g);
    CClassType* y = m.Class("Y", g, {x});
    x->Bases.push_back(y); // X and Y derive from each other
    auto byBase = [&](CClassType* directBase, CClassType* ancestor) {
        CElementFilter filter;
        filter.AddClassCriterion()->DirectBase = directBase;
        filter.ClassCriteria.back()->Ancestor = ancestor;
        filter.SearchProgram(m.GetProgram());
        return filter.Results;
    };
    EXPECT_EQ(Found({b, left}), byBase(a, nullptr));
    EXPECT_EQ(Found({b, d, e, left}), byBase(nullptr, a));
    EXPECT_EQ(Found({b}), byBase(other, a));
    EXPECT_EQ(Found({x, y}), byBase(nullptr, x)); // the cycle ends; X reaches itself
}

TEST(ElementSearch, TypeCriteriaPassByIdentityAndDerivedTypesStandForTheirBase) {
    CTestModel m;
    CNamespace* global = m.Namespace("::");
    CClassType* innerA = m.Class("A", m.Namespace("inner", global)); // another type
    CClassType* a = m.Class("A", global);
    CEnumType* e = m.Enum("E", global);
    m.Typedef("AliasOfA", global, a);
    // A crafted member: a pointer to a pointer to A.
    CReferenceType* pointer = m.Derived(a);
    auto owned = std::make_unique<CReferenceType>();
    CReferenceType* pointerPointer = owned.get();
    pointerPointer->BaseType = pointer;
    global->AddType(std::move(owned));
    CProgram* p = m.GetProgram();

    // A as itself, E, then A again down the chain from A * *: another entry came between.
    EXPECT_EQ(Found({a, e, a}), Search(p, "E", nullptr, a));
    // Passing both criteria, or again down the chain right after, A is listed once.
    EXPECT_EQ(Found({innerA, a}), Search(p, "A", nullptr, a));
    EXPECT_EQ(Found({pointerPointer}), Search(p, "", nullptr, pointerPointer));
}

// A class that weighs nothing has no rectangle, so a query cannot select it.
TEST(ClassQuery, SelectsOnlyClassesThatHaveARectangle) {
    struct CTarget : IQueryTarget {
        void ReplaceSelection(const std::vector<CSqRectangle*>& rects) override { Rects = rects; }
        void ShowStatus(const std::string&) override {}
        std::vector<CSqRectangle*> Rects;
    } target;
    CTestModel m;
    CNamespace* global = m.Namespace("::");
    CClassType* base = m.Class("Base", global);
    m.Class("Empty", global, {base}); // no members: no weight, no rectangle
    CClassType* full = m.Class("Full", global, {base});
    m.Field("x", base, m.Basic("int"));
    m.Field("y", full, m.Basic("int"));
    CLogFile log;
    m.GetProgram()->ComputeSize(CSizing(log));
    CFixedViewUnits units(800);
    CRectArea treemap(*m.GetProgram(), units, CLayoutSettings(), CLooksSettings());
    CQuery::SubClassQuery().Execute({treemap.RectOf(base)}, target);
    EXPECT_EQ(std::vector<CSqRectangle*>{treemap.RectOf(full)}, target.Rects);
}
