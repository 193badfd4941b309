// Front-end output of real code: the C++ standard library's headers (made at build time),
// a small program written and compiled through the wrapper at test time, and the example.
#include "ImportTestSupport.h"

#include "model/CAliasType.h"
#include "model/CBasicType.h"
#include "model/CSourceFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Lines = std::vector<std::string>;

std::string Fixture(const std::string& name) {
    return QUARN_BINARY_DIR "/fixtures/" + name + ".xml";
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// How often a start tag occurs in a file.
int CountTags(const std::string& path, const std::string& tag) {
    std::ifstream in(path);
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        if (line.find("<" + tag + " ") != std::string::npos)
            ++count;
    }
    return count;
}

std::vector<std::string> BaseNames(const CClassType* cls) {
    std::vector<std::string> names;
    for (CClassType* base : cls->Bases)
        names.push_back(base->GetName());
    return names;
}

// Puts the repository's wrapper in front of PATH for the object's lifetime, so that a project
// naming it by name runs this version.
class WrapperOnPath {
public:
    WrapperOnPath() {
        const char* path = std::getenv("PATH");
        Previous = path != nullptr ? path : "";
        setenv("PATH", (std::string(QUARN_SOURCE_DIR "/tools:") + Previous).c_str(), 1);
    }
    ~WrapperOnPath() { setenv("PATH", Previous.c_str(), 1); }

private:
    std::string Previous;
};

} // namespace

class StandardLibrary : public ImportTest {
protected:
    // Loads a fixture and returns the namespace std.
    CNamespace* LoadStd(const std::string& name) {
        if (!Load(Fixture(name)) || Program->Namespaces.size() != 1) {
            ADD_FAILURE() << "could not load " << name;
            return nullptr;
        }
        EXPECT_TRUE(LogLines().empty());
        EXPECT_EQ("::", Program->Namespaces[0]->GetName());
        return ChildNamespace(Program->Namespaces[0]->Namespaces, "std");
    }
};

TEST_F(StandardLibrary, EveryFixtureLoadsCompletelyAndSizes) {
    for (const char* name : {"iostream", "vector", "map", "string"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(nullptr, LoadStd(name));
        EXPECT_EQ(static_cast<std::size_t>(CountTags(Fixture(name), "File")),
                  Program->SourceFiles.size());
        // Every fundamental and derived type, plus one opaque type per type_class.
        int programTypes = 0;
        for (const char* tag : {"FundamentalType", "PointerType", "ReferenceType", "ArrayType",
                                "FunctionType", "MethodType", "OffsetType"})
            programTypes += CountTags(Fixture(name), tag);
        int opaque = 0;
        std::ifstream in(Fixture(name));
        for (std::string line; std::getline(in, line);)
            opaque += line.find("<Unimplemented ") != std::string::npos &&
                      line.find("type_class=") != std::string::npos;
        EXPECT_EQ(static_cast<std::size_t>(programTypes + opaque), Program->Elements.size());
        EXPECT_NO_THROW(Program->ComputeSize());
        EXPECT_GT(Program->GetSize(), 0);
    }
}

TEST_F(StandardLibrary, IostreamClassesBasesAccessAndFiles) {
    CNamespace* std = LoadStd("iostream");
    ASSERT_NE(nullptr, std);
    EXPECT_EQ((Lines{"basic_istream<char>", "basic_ostream<char>"}),
              BaseNames(ClassIn(std, "basic_iostream<char>")));
    EXPECT_EQ((Lines{"basic_ios<char>"}), BaseNames(ClassIn(std, "basic_ostream<char>")));
    EXPECT_EQ((Lines{"ios_base"}), BaseNames(ClassIn(std, "basic_ios<char>")));

    CClassType* iosBase = ClassIn(std, "ios_base");
    EXPECT_TRUE(EndsWith(iosBase->GetFile()->GetName(), "/bits/ios_base.h"));
    CField* precision = FieldIn(iosBase, "_M_precision");
    EXPECT_EQ(AccessProtected, precision->Access);
    EXPECT_EQ("streamsize", precision->Type->GetName());
    EXPECT_EQ(TypeKindTypedef, precision->Type->GetTypeKind());

    CField* cout = FieldIn(std, "cout"); // a variable of the namespace
    EXPECT_EQ("ostream", cout->Type->GetName());
    EXPECT_EQ(ClassIn(std, "basic_ostream<char>"), dynamic_cast<CAliasType*>(cout->Type)->BaseType);
    EXPECT_TRUE(EndsWith(cout->GetFile()->GetName(), "/iostream"));
}

TEST_F(StandardLibrary, StringMethodsAndTheirArgumentTypes) {
    CNamespace* std = LoadStd("string");
    ASSERT_NE(nullptr, std);
    CClassType* string = ClassIn(std, "basic_string<char>");
    // Declared where the library instantiates it explicitly.
    EXPECT_TRUE(EndsWith(string->GetFile()->GetName(), "/bits/basic_string.tcc"));
    // const char* c_str() const: the const is dropped, the pointer spelled with " *".
    EXPECT_EQ("char *", FunctionIn(string, "c_str")->ReturnType->GetName());
    EXPECT_TRUE(ArgumentNames(FunctionIn(string, "c_str")).empty());
    EXPECT_EQ("size_type", FunctionIn(string, "size")->ReturnType->GetName());
    EXPECT_EQ((Lines{"char"}), ArgumentNames(FunctionIn(string, "push_back")));
    bool found = false; // size_type find(const char* s, size_type pos, size_type n) const
    for (CFunction* find : FunctionsIn(string, "find"))
        found |= ArgumentNames(find) == Lines{"char *", "size_type", "size_type"};
    EXPECT_TRUE(found);
    for (CFunction* method : string->Functions)
        EXPECT_EQ(string, method->OwnerClass);
}

TEST_F(StandardLibrary, MapTreeNodesAndRebalancing) {
    CNamespace* std = LoadStd("map");
    ASSERT_NE(nullptr, std);
    CClassType* node = ClassIn(std, "_Rb_tree_node_base");
    EXPECT_EQ("Struct", node->GetKind());
    std::vector<std::string> fields;
    for (CField* field : node->Fields)
        fields.push_back(field->GetName());
    EXPECT_EQ((Lines{"_M_color", "_M_parent", "_M_left", "_M_right"}), fields);
    EXPECT_EQ(TypeKindEnumeration, FieldIn(node, "_M_color")->Type->GetTypeKind());

    // void _Rb_tree_insert_and_rebalance(const bool, _Rb_tree_node_base*,
    //                                    _Rb_tree_node_base*, _Rb_tree_node_base&)
    CFunction* rebalance = FunctionIn(std, "_Rb_tree_insert_and_rebalance");
    EXPECT_EQ(
        (Lines{"bool", "_Rb_tree_node_base *", "_Rb_tree_node_base *", "_Rb_tree_node_base *"}),
        ArgumentNames(rebalance));
    EXPECT_EQ("void", rebalance->ReturnType->GetName());
    EXPECT_EQ(nullptr, rebalance->OwnerClass);
    EXPECT_TRUE(EndsWith(rebalance->GetFile()->GetName(), "/bits/stl_tree.h"));
}

TEST_F(StandardLibrary, VectorOfBoolSupportClasses) {
    CNamespace* std = LoadStd("vector");
    ASSERT_NE(nullptr, std);
    CClassType* reference = ClassIn(std, "_Bit_reference");
    EXPECT_EQ("_Bit_type *", FieldIn(reference, "_M_p")->Type->GetName());
    EXPECT_EQ("_Bit_type", FieldIn(reference, "_M_mask")->Type->GetName());
    EXPECT_EQ("void", FunctionIn(reference, "flip")->ReturnType->GetName());
    EXPECT_EQ((Lines{"_Bit_iterator_base"}), BaseNames(ClassIn(std, "_Bit_iterator")));
    EXPECT_TRUE(EndsWith(reference->GetFile()->GetName(), "/bits/stl_bvector.h"));
}

// The gauge of a real file: the passes move it at most about thirty times each, upwards,
// within 0 to 50 and then up to 100. The wxWidgets headers' output has more than 65535 lines,
// which the gauge follows to the end.
TEST_F(StandardLibrary, ProgressOfRealFiles) {
    for (const char* name : {"vector", "wx"}) {
        SCOPED_TRACE(name);
        CRecordingProgress progress;
        ASSERT_TRUE(Load(Fixture(name), &progress));
        EXPECT_EQ((Lines{"Reading nodes", "Connecting nodes"}), progress.Messages());
        std::vector<int> first = progress.ValuesAfter("Reading nodes");
        std::vector<int> second = progress.ValuesAfter("Connecting nodes");
        ASSERT_FALSE(first.empty());
        ASSERT_FALSE(second.empty());
        EXPECT_LE(first.size(), 31u);
        EXPECT_LE(second.size(), 31u);
        EXPECT_TRUE(std::is_sorted(first.begin(), first.end()));
        EXPECT_TRUE(std::is_sorted(second.begin(), second.end()));
        EXPECT_GE(first.front(), 0);
        EXPECT_GE(first.back(), 45);
        EXPECT_LE(first.back(), 50);
        EXPECT_GE(second.front(), first.back());
        EXPECT_GE(second.back(), 95);
        EXPECT_LE(second.back(), 100);
    }
}

// A program of our own, written and compiled through the wrapper named by a project file.
class OwnProgram : public ImportTest {
protected:
    void SetUp() override {
        std::filesystem::create_directory("include");
        Dir.WriteFile(
            "include/demo.h", // the line numbers below are checked
            /* 1 */ "#pragma once\n"
                    /* 2 */ "#include <vector>\n"
                    /* 3 */ "namespace demo {\n"
                    /* 4 */ "struct Point {\n"
                    /* 5 */ "    double X;\n"
                    /* 6 */ "    double Y;\n"
                    /* 7 */ "};\n"
                    /* 8 */ "class Shape {\n"
                    /* 9 */ "public:\n"
                    /* 10 */ "    virtual ~Shape();\n"
                    /* 11 */ "    virtual double Area() const = 0;\n"
                    /* 12 */ "    void MoveBy(const Point& offset, int times);\n"
                    /* 13 */ "protected:\n"
                    /* 14 */ "    Point Origin;\n"
                    /* 15 */ "    static int Count;\n"
                    /* 16 */ "private:\n"
                    /* 17 */ "    std::vector<int> Tags;\n"
                    /* 18 */ "};\n"
                    /* 19 */ "class Circle : public Shape {\n"
                    /* 20 */ "public:\n"
                    /* 21 */ "    explicit Circle(double radius);\n"
                    /* 22 */ "    double Area() const override;\n"
                    /* 23 */ "private:\n"
                    /* 24 */ "    double Radius;\n"
                    /* 25 */ "};\n"
                    /* 26 */ "#ifdef DEMO_WITH_LABEL\n"
                    /* 27 */ "struct Label {\n"
                    /* 28 */ "    const char* Text;\n"
                    /* 29 */ "};\n"
                    /* 30 */ "#endif\n"
                    /* 31 */ "double TotalArea(const Shape* const* shapes, unsigned count);\n"
                    /* 32 */ "}\n");
        Dir.WriteFile("demo.cpp", "#include \"demo.h\"\n"
                                  "int demo::Shape::Count = 0;\n");
        Dir.WriteFile("project.xml",
                      "<project>\n"
                      "  <settings gccxml_path=\"quarn-gccxml\" output_file=\"demo out.xml\"/>\n"
                      "  <options><include arg=\"-I" +
                          Dir.Path() +
                          "/include\"/><define arg=\"-DDEMO_WITH_LABEL\"/>"
                          "<source arg=\"demo.cpp\"/></options>\n"
                          "</project>\n");
        WrapperOnPath path;
        CRecordingProgress progress;
        ASSERT_TRUE(Load("project.xml", &progress));
        EXPECT_EQ((Lines{"Compiling project", "Reading nodes", "Connecting nodes"}),
                  progress.Messages());
        EXPECT_EQ(100, progress.Value);
        EXPECT_TRUE(LogLines().empty());
        Global = Program->Namespaces[0];
        Demo = ChildNamespace(Global->Namespaces, "demo");
        Std = ChildNamespace(Global->Namespaces, "std");
        ASSERT_NE(nullptr, Demo);
        ASSERT_NE(nullptr, Std);
        Program->ComputeSize();
    }

    CNamespace* Global = nullptr;
    CNamespace* Demo = nullptr;
    CNamespace* Std = nullptr;
};

TEST_F(OwnProgram, ClassesBasesAccessLinesAndFiles) {
    CClassType* point = ClassIn(Demo, "Point");
    CClassType* shape = ClassIn(Demo, "Shape");
    CClassType* circle = ClassIn(Demo, "Circle");
    EXPECT_EQ("Struct", point->GetKind());
    EXPECT_EQ("Class", shape->GetKind());
    EXPECT_EQ((Lines{"Shape"}), BaseNames(circle));
    EXPECT_TRUE(shape->Bases.empty());
    EXPECT_EQ(Dir.Path() + "/include/demo.h", shape->GetFile()->GetName());
    // The source file is measured on disk.
    EXPECT_EQ(static_cast<int>(std::filesystem::file_size("include/demo.h")),
              static_cast<CSourceFile*>(shape->GetFile())->GetSize());

    EXPECT_EQ(AccessProtected, FieldIn(shape, "Origin")->Access);
    EXPECT_EQ(point, dynamic_cast<CClassType*>(FieldIn(shape, "Origin")->Type));
    EXPECT_EQ(AccessProtected, FieldIn(shape, "Count")->Access); // a static member
    EXPECT_EQ(AccessPrivate, FieldIn(circle, "Radius")->Access);
    EXPECT_EQ("double", FieldIn(point, "X")->Type->GetName());

    CFunction* moveBy = FunctionIn(shape, "MoveBy");
    EXPECT_EQ(12, moveBy->Line);
    EXPECT_EQ(12, moveBy->EndLine); // the front end gives no end line
    EXPECT_EQ(1, moveBy->GetLines());
    EXPECT_EQ((Lines{"Point *", "int"}), ArgumentNames(moveBy));
    EXPECT_EQ("void", moveBy->ReturnType->GetName());
    EXPECT_EQ(AccessPublic, moveBy->Access);
    EXPECT_EQ(shape, moveBy->OwnerClass);
    EXPECT_EQ(11, FunctionIn(shape, "Area")->Line);
    // The constructors and the destructor carry the class's name; the destructor is on 10.
    std::vector<int> structorLines;
    for (CFunction* structor : FunctionsIn(shape, "Shape")) {
        structorLines.push_back(structor->Line);
        EXPECT_EQ(nullptr, structor->ReturnType);
    }
    EXPECT_NE(structorLines.end(), std::find(structorLines.begin(), structorLines.end(), 10));

    CFunction* constructor = nullptr;
    for (CFunction* candidate : FunctionsIn(circle, "Circle")) {
        if (candidate->Line == 21)
            constructor = candidate;
    }
    ASSERT_NE(nullptr, constructor);
    EXPECT_EQ((Lines{"double"}), ArgumentNames(constructor));

    CFunction* total = FunctionIn(Demo, "TotalArea");
    EXPECT_EQ(31, total->Line);
    EXPECT_EQ((Lines{"Shape * *", "unsigned int"}), ArgumentNames(total));
    EXPECT_EQ(nullptr, total->OwnerClass);
}

TEST_F(OwnProgram, DefinesReachTheFrontEnd) {
    CClassType* label = ClassIn(Demo, "Label");
    ASSERT_NE(nullptr, label);
    EXPECT_EQ("char *", FieldIn(label, "Text")->Type->GetName());
}

TEST_F(OwnProgram, VectorOfIntMethodsAndTheirArgumentTypes) {
    CField* tags = FieldIn(ClassIn(Demo, "Shape"), "Tags");
    EXPECT_EQ(AccessPrivate, tags->Access);
    CClassType* vector = ClassIn(Std, "vector<int>");
    EXPECT_EQ(vector, dynamic_cast<CClassType*>(tags->Type));
    EXPECT_TRUE(EndsWith(vector->GetFile()->GetName(), "/bits/stl_vector.h"));
    EXPECT_EQ((Lines{"_Vector_base<int, std::allocator<int>>"}), BaseNames(vector));

    // void push_back(const value_type&): a reference to a const typedef.
    CFunction* pushBack = FunctionIn(vector, "push_back");
    EXPECT_EQ((Lines{"value_type *"}), ArgumentNames(pushBack));
    EXPECT_EQ("void", pushBack->ReturnType->GetName());
    EXPECT_EQ(AccessPublic, pushBack->Access);
    EXPECT_EQ(vector, pushBack->OwnerClass);
    EXPECT_EQ(3u, FunctionsIn(vector, "insert").size());
    // In the instantiated members, size_type appears as the typedef it stands for.
    CType* size = FunctionIn(vector, "size")->ReturnType;
    EXPECT_EQ("size_t", size->GetName());
    EXPECT_EQ(TypeKindTypedef, size->GetTypeKind());
    EXPECT_EQ((Lines{"size_t"}), ArgumentNames(FunctionIn(vector, "reserve")));
    // void _M_range_check(size_type) const is protected.
    EXPECT_EQ(AccessProtected, FunctionIn(vector, "_M_range_check")->Access);
}

// The example's own project file, run from a copy of its directory with the wrapper on PATH.
TEST_F(ImportTest, ExampleProjectCompilesThroughTheWrapperAndLoads) {
    std::filesystem::copy(QUARN_SOURCE_DIR "/examples/shapes", Dir.Path(),
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove("shapes-gccxml.xml");
    WrapperOnPath path;
    ASSERT_TRUE(Load("project.xml"));
    EXPECT_TRUE(std::filesystem::exists("shapes-gccxml.xml"));
    EXPECT_TRUE(LogLines().empty());
    CNamespace* shapes = ChildNamespace(Program->Namespaces[0]->Namespaces, "shapes");
    ASSERT_NE(nullptr, shapes);
    EXPECT_EQ((Lines{"Rectangle"}), BaseNames(ClassIn(shapes, "Square")));
    EXPECT_EQ((Lines{"Shape"}), BaseNames(ClassIn(shapes, "Circle")));
    EXPECT_EQ(AccessProtected, FieldIn(ClassIn(shapes, "Shape"), "Fill")->Access);
    EXPECT_NE(nullptr, ClassIn(shapes, "Label")); // defined by the project's options
    EXPECT_EQ((Lines{"Drawing *"}), ArgumentNames(FunctionIn(shapes, "TotalArea")));
    EXPECT_NO_THROW(Program->ComputeSize());
}
