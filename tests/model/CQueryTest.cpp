#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "model/CSubClassQuery.h"
#include "model/CSuperClassQuery.h"
#include "model/IQueryTarget.h"
#include "support/CModelBuilder.h"

#include <gtest/gtest.h>

namespace {

// Records what a query asks of the view.
class CRecordingTarget : public IQueryTarget {
public:
    CRecordingTarget() { CQuery::SetTarget(this); }
    ~CRecordingTarget() { CQuery::SetTarget(nullptr); }

    void ReplaceSelection(const std::vector<CSqRectangle*>& rects) override {
        Selections.push_back(rects);
    }
    void ShowStatus(const std::string& text) override { Statuses.push_back(text); }

    std::vector<std::vector<CSqRectangle*>> Selections;
    std::vector<std::string> Statuses;
};

// A diamond A <- B, C <- D, a lone class U, a cycle X <-> Y, laid out.
class QueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        CBasicType* intType = B.Basic("int");
        CNamespace* global = B.Namespace("::");
        A = Weighted(B.Class("A", global), intType);
        BB = Weighted(B.Class("B", global, {A}), intType);
        C = Weighted(B.Class("C", global, {A}), intType);
        D = Weighted(B.Class("D", global, {BB, C}), intType);
        U = Weighted(B.Class("U", global), intType);
        X = Weighted(B.Class("X", global), intType);
        Y = Weighted(B.Class("Y", global, {X}), intType);
        X->Bases.push_back(Y);
        Alias = B.Typedef("AliasOfA", global, A);
        Function = B.Function("f", global, 1, 9);
        B.GetProgram()->ComputeSize();
        Treemap = std::make_unique<CRectArea>(B.GetProgram(), &View);
    }

    CClassType* Weighted(CClassType* cls, CType* fieldType) {
        B.Field("x", cls, fieldType);
        return cls;
    }

    std::vector<std::string> Run(CQuery* query, std::vector<CProgramElement*> selected) {
        std::list<CSqRectangle*> selection;
        for (CProgramElement* element : selected)
            selection.push_back(element->GetRect());
        query->Execute(&selection, 0);
        std::vector<std::string> names;
        if (!Target.Selections.empty()) {
            for (CSqRectangle* rect : Target.Selections.back())
                names.push_back(rect->GetElement()->GetName());
        }
        return names;
    }

    CModelBuilder B;
    CFixedViewUnits View{800};
    std::unique_ptr<CRectArea> Treemap;
    CRecordingTarget Target;
    CClassType *A, *BB, *C, *D, *U, *X, *Y;
    CAliasType* Alias;
    CFunction* Function;
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F(QueryTest, SuperClassQueryFindsCommonAncestorsInSearchOrder) {
    EXPECT_EQ(Strings({"A"}), Run(CSuperClassQuery::Instance(), {BB, C}));
    EXPECT_EQ(Strings({"A", "B", "C"}), Run(CSuperClassQuery::Instance(), {D}));
    EXPECT_EQ(Strings({"A"}), Run(CSuperClassQuery::Instance(), {D, BB}));
    EXPECT_TRUE(Target.Statuses.empty());
}

TEST_F(QueryTest, SubClassQueryFindsCommonDescendants) {
    EXPECT_EQ(Strings({"B", "C", "D"}), Run(CSubClassQuery::Instance(), {A}));
    EXPECT_EQ(Strings({"D"}), Run(CSubClassQuery::Instance(), {BB, C}));
    // B is a subclass of A but not of itself.
    EXPECT_EQ(Strings({"D"}), Run(CSubClassQuery::Instance(), {A, BB}));
}

TEST_F(QueryTest, NothingInCommonLeavesTheSelectionAndSaysSo) {
    Run(CSubClassQuery::Instance(), {A, U});
    Run(CSuperClassQuery::Instance(), {A});
    Run(CSuperClassQuery::Instance(), {BB, U});
    EXPECT_TRUE(Target.Selections.empty());
    EXPECT_EQ(Strings({"No common subclasses found", "No common super classes found",
                       "No common super classes found"}),
              Target.Statuses);
}

TEST_F(QueryTest, CyclicBasesEndAndNeverCountAClassAsItsOwnRelative) {
    EXPECT_EQ(Strings({"Y"}), Run(CSuperClassQuery::Instance(), {X}));
    EXPECT_EQ(Strings({"Y"}), Run(CSubClassQuery::Instance(), {X}));
}

TEST_F(QueryTest, QueriesApplyOnlyToSelectionsOfClasses) {
    std::list<CSqRectangle*> selection;
    EXPECT_FALSE(IsClassSelection(selection));
    EXPECT_TRUE(GetApplicableQueries(selection).empty());
    selection = {Function->GetRect()};
    EXPECT_TRUE(GetApplicableQueries(selection).empty());
    selection = {Alias->GetRect()};
    EXPECT_TRUE(GetApplicableQueries(selection).empty());
    selection = {A->GetRect(), static_cast<CSqRectangle*>(Treemap->GetRoot())};
    EXPECT_TRUE(GetApplicableQueries(selection).empty());
    selection = {A->GetRect()->Parent}; // the type group rect
    EXPECT_FALSE(IsClassSelection(selection));

    selection = {A->GetRect(), BB->GetRect()};
    std::vector<CQuery*> queries = GetApplicableQueries(selection);
    ASSERT_EQ(2u, queries.size());
    EXPECT_EQ("Sub Class Query", queries[0]->GetName());
    EXPECT_EQ("Super Class Query", queries[1]->GetName());
    EXPECT_EQ("Selects all subclasses that all classes in the selection have in common",
              queries[0]->GetDescription());
    EXPECT_EQ("Selects all super classes that all classes in the selection have in common",
              queries[1]->GetDescription());
    EXPECT_EQ(CSubClassQuery::Instance(), queries[0]);
    EXPECT_EQ(CSuperClassQuery::Instance(), CSuperClassQuery::Instance());
    DeleteQueries();
    EXPECT_NE(nullptr, CSubClassQuery::Instance()); // made again on the next use
    DeleteQueries();
}
