#include "base/CLogFile.h"
#include "model/CSizing.h"
#include "support/CTempDir.h"
#include "support/CTestModel.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// A hand-built model, sized with a log that lives in a fresh directory.
class ModelTest : public ::testing::Test {
protected:
    ModelTest() { Log.Open("log.txt"); }
    void Size() { M.GetProgram()->ComputeSize(CSizing(Log)); }

    CTempDir Dir;
    CLogFile Log;
    CTestModel M;
};

// A container's sums: functions, fields, types (size and lines each), then size and lines.
std::vector<int> Sums(const CPEContainer& c) {
    return {c.FunctionsSize, c.FunctionsLines, c.FieldsSize, c.FieldsLines,
            c.TypesSize,     c.TypesLines,     c.GetSize(),  c.GetLines()};
}

} // namespace

TEST_F(ModelTest, ContainersSumEachKindAndNamespacesAddTheirChildren) {
    CBasicType* intType = M.Basic("int");
    CReferenceType* charPtr = M.Derived(M.Basic("char"));
    CNamespace* global = M.Namespace("::");
    CNamespace* inner = M.Namespace("inner", global);
    CClassType* cls = M.Class("C", inner);
    M.Field("x", cls, intType);                      // 4 bytes, 1 line
    M.Field("p", cls, charPtr);                      // a pointer: 4, 1
    M.Function("f", cls, 5, 14, {intType, charPtr}); // 9 lines and 8 bytes of arguments
    M.Enum("E", cls);                                // 4, 1
    M.Typedef("T", inner, intType);                  // 1, 1
    M.Field("v", global, cls);                       // weighs the whole class
    M.Function("g", M.Namespace("other"), 7, 8);     // 1 line
    Dir.WriteFile("a.h", std::string(1234, 'x'));
    M.File(Dir.Path() + "/a.h");
    M.File(Dir.Path() + "/missing.h"); // weighs 0
    Size();
    EXPECT_EQ(std::vector<int>({17, 9, 8, 2, 4, 1, 29, 12}), Sums(*cls));
    EXPECT_EQ(std::vector<int>({0, 0, 0, 0, 30, 13, 30, 13}), Sums(*inner));
    EXPECT_EQ(std::vector<int>({0, 0, 29, 12, 0, 0, 59, 25}), Sums(*global));
    // The program weighs its namespaces; its files are counted apart, by their bytes on disk.
    CProgram* program = M.GetProgram();
    EXPECT_EQ(std::vector<int>({60, 26, 1234, 1234}),
              std::vector<int>({program->GetSize(), program->GetLines(), program->FilesSize,
                                program->FilesLines}));
}

TEST_F(ModelTest, FunctionsWeighTheirLinesAndResolvedArgumentsAndSumsSaturate) {
    CBasicType* intType = M.Basic("int");
    CReferenceType* charPtr = M.Derived(M.Basic("char"));
    CNamespace* ns = M.Namespace("::");
    struct {
        int Line, EndLine;
        std::vector<CType*> Arguments;
        int Lines, Size;
    } cases[] = {
        {5, 14, {intType, charPtr}, 9, 17},
        {12, 12, {}, 1, 1},               // a one-line function still has a line
        {20, 10, {}, 1, 1},               // and so has one whose end comes first
        {1, 4, {nullptr, intType}, 3, 7}, // an unresolved argument weighs nothing
        {INT_MIN + 1, INT_MAX - 1, {intType}, INT_MAX, INT_MAX},
    };
    for (auto& c : cases) {
        CFunction* f = M.Function("f", ns, c.Line, c.EndLine, c.Arguments);
        for (bool byLength : {false, true}) {
            f->ComputeSize(CSizing(Log, byLength));
            EXPECT_EQ(c.Lines, f->GetLines()) << c.Line;
            EXPECT_EQ(byLength ? c.Lines : c.Size, f->GetSize()) << c.Line << " " << byLength;
        }
    }
    // Sums of sizes and lines saturate instead of overflowing, in scopes and in the program.
    M.Function("h", M.Namespace("b", ns), 0, INT_MAX);
    M.Function("k", M.Namespace("c"), 0, INT_MAX);
    Size();
    EXPECT_EQ(std::vector<int>({INT_MAX, INT_MAX, 0, 0, 0, 0, INT_MAX, INT_MAX}), Sums(*ns));
    EXPECT_EQ(std::make_pair(INT_MAX, INT_MAX),
              std::make_pair(M.GetProgram()->GetSize(), M.GetProgram()->GetLines()));
}

TEST_F(ModelTest, AClassReachedAgainWhileBeingSizedIsSizedOnce) {
    CNamespace* ns = M.Namespace("::");
    CClassType* outer = M.Class("Outer", ns);
    CClassType* inner = M.Class("Inner", outer);
    M.Field("back", inner, outer); // reaches the class being sized
    M.Field("n", outer, M.Basic("int"));
    Size();
    // Outer answered Inner with what it had so far.
    EXPECT_EQ(std::make_pair(0, 4), std::make_pair(inner->GetSize(), outer->GetSize()));
}
