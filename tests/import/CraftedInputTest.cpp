// Crafted front-end documents with a defined outcome: each loads correctly, or fails cleanly
// with its log entries and "Could not load file". The sanitizer build checks besides that
// nothing leaks, is freed twice or overflows the stack on the way.
#include "ImportTestSupport.h"

#include "import/CGccXmlReader.h"
#include "import/LoadProgram.h"
#include "import/RunCommand.h"
#include "layout/CLayoutFixture.h"
#include "model/CReferenceType.h"
#include "render/CClassCriterion.h"
#include "support/CFileOpenWatch.h"
#include "support/CLocalListener.h"
#include "support/ExploreProgram.h"

#include <functional>

namespace {

using Lines = std::vector<std::string>;

const int Limit = CGccXmlReader::MaxNestingDepth;
const std::string TooDeep = "[error] Error in xml file: Nesting deeper than 1000 levels";
const std::string BadId = "[error] Error parsing id number.: Node on line: ...";
const std::string NotCreated = "[error] Error in xml file: Could not create element";

std::string ReadError(int line) {
    return "[error] Error loading file: Read error on line number " + std::to_string(line);
}

std::string Id(int number) {
    return "_" + std::to_string(number);
}

// The global namespace, a file and an int; lines 3 to 5 of a document.
const std::string Prologue = "<Namespace id=\"_1\" name=\"::\"/>\n"
                             "<File id=\"f0\" name=\"a.h\"/>\n"
                             "<FundamentalType id=\"_2\" name=\"int\"/>\n";

// Lines 6 on: count elements made by element(i), the i-th with id _(10 + i).
std::string Elements(int count, const std::function<std::string(int i)>& element) {
    std::string body;
    for (int i = 0; i < count; ++i)
        body += element(i);
    return body;
}

// count namespaces inside the global one, each inside the one before it (parents first in
// the document); the deepest holds a function "deepest".
std::string NestedNamespaces(int count) {
    return Prologue +
           Elements(count,
                    [](int i) {
                        return "<Namespace id=\"" + Id(10 + i) + "\" name=\"n\" context=\"" +
                               Id(i == 0 ? 1 : 9 + i) + "\"/>\n";
                    }) +
           "<Function id=\"_5\" name=\"deepest\" returns=\"_2\" context=\"" + Id(9 + count) +
           "\" file=\"f0\" line=\"1\" endline=\"9\"/>\n";
}

// count classes inside the global namespace, each inside the one after it in the document
// (children first); the deepest holds a method "deepest".
std::string NestedClasses(int count) {
    return Prologue +
           Elements(count,
                    [count](int i) {
                        return "<Class id=\"" + Id(10 + i) + "\" name=\"c\" context=\"" +
                               Id(i == count - 1 ? 1 : 11 + i) + "\" file=\"f0\"/>\n";
                    }) +
           "<Method id=\"_5\" name=\"deepest\" returns=\"_2\" context=\"_10\" file=\"f0\" "
           "line=\"1\" endline=\"9\"/>\n";
}

// count structs side by side in the global namespace, each holding a member of the next
// struct's type (by value: sizing the first sizes them all, one inside the other); made by
// member(i, next type id).
std::string StructChain(int count,
                        const std::function<std::string(int, const std::string&)>& member) {
    return Prologue + Elements(count, [&](int i) {
               return "<Struct id=\"" + Id(10 + 2 * i) + "\" name=\"s\" context=\"_1\" " +
                      "file=\"f0\"/>\n" + member(i, i == count - 1 ? "_2" : Id(12 + 2 * i));
           });
}

std::string FieldOf(int i, const std::string& type) {
    return "<Field id=\"" + Id(11 + 2 * i) + "\" name=\"x\" type=\"" + type + "\" context=\"" +
           Id(10 + 2 * i) + "\" file=\"f0\"/>\n";
}

std::string MethodTaking(int i, const std::string& type) {
    return "<Method id=\"" + Id(11 + 2 * i) + "\" name=\"m\" returns=\"_2\" context=\"" +
           Id(10 + 2 * i) + "\" file=\"f0\" line=\"1\"><Argument type=\"" + type +
           "\"/></Method>\n";
}

} // namespace

// Loads documents as the desktop program's Open does, and sizes what loaded.
class CraftedInput : public ImportTest {
protected:
    // The text the load threw, or "" when the program loaded and sized (it is then in
    // Opened).
    std::string Open(const std::string& fileName) {
        Opened.reset();
        try {
            Opened = LoadProgram(fileName, nullptr);
            Opened->ComputeSize();
        } catch (const char* message) {
            Opened.reset();
            return message;
        }
        return "";
    }
    // Open on a front-end document whose root holds body (body starts on line 3).
    std::string OpenBody(const std::string& body) {
        Dir.WriteFile("crafted.xml", GccXml(body));
        return Open("crafted.xml");
    }
    // The log entries written since the given count of lines.
    Lines LogSince(std::size_t before) const {
        Lines log = LogLines();
        return Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
    }

    std::unique_ptr<CProgram> Opened;
};

// An id number can never exceed the size of the file it stands in, so a larger one is refused
// in pass one, before the id table grows for it (numbers like these would make it gigabytes
// large). A reference to such a number simply does not resolve.
TEST_F(CraftedInput, IdNumbersBeyondTheFileSizeAreRefusedBeforeTheTableGrows) {
    for (const char* id : {"_2000000000", "_2147483647", "_2147483648", "_99999999999999"}) {
        std::size_t before = LogLines().size();
        EXPECT_EQ("Could not load file",
                  OpenBody(Prologue + "<FundamentalType id=\"" + id + "\" name=\"char\"/>\n"))
            << id;
        EXPECT_EQ((Lines{BadId, NotCreated, ReadError(6)}), LogSince(before)) << id;
    }
    for (const char* reference :
         {"<Variable id=\"_3\" name=\"v\" type=\"_2000000000\" context=\"_1\" file=\"f0\"/>\n",
          "<Struct id=\"_3\" name=\"S\" context=\"_1\" file=\"f0\" bases=\"_2000000000\"/>\n",
          "<Variable id=\"_3\" name=\"v\" type=\"_2\" context=\"_1\" file=\"f2000000000\"/>\n"}) {
        EXPECT_EQ("Could not load file", OpenBody(Prologue + reference)) << reference;
        EXPECT_EQ(ReadError(6), LogLines().back());
    }
}

// The largest id number a document can hold is its own size in bytes.
TEST_F(CraftedInput, IdNumberUpToTheFileSizeIsAccepted) {
    auto document = [](long number) {
        return GccXml(Prologue + "<FundamentalType id=\"_" + std::to_string(number) +
                      "\" name=\"char\"/>\n");
    };
    long size = static_cast<long>(document(0).size());
    while (static_cast<long>(document(size).size()) != size)
        size = static_cast<long>(document(size).size());
    Dir.WriteFile("exact.xml", document(size));
    ASSERT_EQ("", Open("exact.xml"));
    ASSERT_EQ(2u, Opened->Elements.size());
    EXPECT_EQ("char", Opened->Elements[1]->GetName());
    Dir.WriteFile("over.xml", document(size + 1));
    ASSERT_EQ(static_cast<std::size_t>(size), document(size + 1).size());
    EXPECT_EQ("Could not load file", Open("over.xml"));
    EXPECT_EQ(BadId, LogLines().front());
}

// Two elements of any two kinds sharing an id: one of them is filed, the other is freed or
// stays with its owner; the load either succeeds or fails with its read error, never leaking.
TEST_F(CraftedInput, EveryPairOfKindsSharingAnIdHasADefinedOutcome) {
    const std::vector<std::string> kinds = {
        "<Namespace id=\"_7\" name=\"n\" context=\"_1\"/>\n",
        "<Class id=\"_7\" name=\"C\" context=\"_1\" file=\"f0\"/>\n",
        "<Function id=\"_7\" name=\"f\" returns=\"_2\" context=\"_1\" file=\"f0\" line=\"1\"/>\n",
        "<Variable id=\"_7\" name=\"v\" type=\"_2\" context=\"_1\" file=\"f0\"/>\n",
        "<Typedef id=\"_7\" name=\"T\" type=\"_2\" context=\"_1\" file=\"f0\"/>\n",
        "<Enumeration id=\"_7\" name=\"E\" context=\"_1\" file=\"f0\"/>\n",
        "<FundamentalType id=\"_7\" name=\"char\"/>\n",
        "<PointerType id=\"_7\" type=\"_2\"/>\n",
        "<Unimplemented id=\"_7\" type_class=\"Decltype\"/>\n",
    };
    for (const std::string& first : kinds) {
        for (const std::string& second : kinds) {
            std::string loaded = OpenBody(Prologue + first + second);
            if (loaded.empty()) {
                ExploreProgram(Opened.get());
            } else {
                EXPECT_EQ("Could not load file", loaded) << first << second;
                std::string last = LogLines().back();
                EXPECT_TRUE(last == ReadError(6) || last == ReadError(7)) << first << second;
            }
        }
    }
}

// One element of every kind (lines 6 to 16), for references to point at.
const std::string EveryKind =
    Prologue +
    /* 6 */ "<Namespace id=\"_3\" name=\"n\" context=\"_1\"/>\n"
            /* 7 */ "<Class id=\"_4\" name=\"C\" context=\"_3\" file=\"f0\"/>\n"
            /* 8 */ "<Enumeration id=\"_5\" name=\"E\" context=\"_3\" file=\"f0\"/>\n"
            /* 9 */ "<Typedef id=\"_6\" name=\"T\" type=\"_2\" context=\"_3\" file=\"f0\"/>\n"
            /* 10 */ "<Function id=\"_7\" name=\"f\" returns=\"_2\" context=\"_3\" "
            "file=\"f0\" line=\"1\"/>\n"
            /* 11 */ "<PointerType id=\"_8\" type=\"_2\"/>\n"
            /* 12 */ "<Field id=\"_9\" name=\"x\" type=\"_2\" context=\"_4\" file=\"f0\"/>\n"
            /* 13 */ "<Method id=\"_10\" name=\"m\" returns=\"_2\" context=\"_4\" "
            "file=\"f0\" line=\"2\"/>\n"
            /* 14 */ "<FunctionType id=\"_11\" returns=\"_2\"/>\n"
            /* 15 */ "<Unimplemented id=\"_12\" type_class=\"Decltype\"/>\n"
            /* 16 */ "<Variable id=\"_13\" name=\"v\" type=\"_2\" context=\"_3\" "
            "file=\"f0\"/>\n";

namespace {

struct WrongKindCase {
    const char* Name;
    std::string Probe;              // an element on line 17, with REF where the reference goes
    std::vector<std::string> Wrong; // ids of elements of kinds the reference must not name
    std::function<void(CProgram&)> Loads; // for references that may name anything: checks
};

void PrintTo(const WrongKindCase& c, std::ostream* out) {
    *out << c.Name;
}

// Ids of every kind in EveryKind except the given ones.
std::vector<std::string> AllBut(std::initializer_list<const char*> allowed) {
    std::vector<std::string> ids;
    for (const char* id :
         {"_1", "_3", "_4", "_5", "_6", "_7", "_8", "_9", "_10", "_11", "_12", "_13", "_2"}) {
        if (std::find_if(allowed.begin(), allowed.end(),
                         [id](const char* a) { return std::string(a) == id; }) == allowed.end())
            ids.push_back(id);
    }
    return ids;
}

const auto Namespaces = {"_1", "_3"};
const auto Containers = {"_1", "_3", "_4"};
const auto Types = {"_2", "_4", "_5", "_6", "_8", "_11", "_12"};

std::string WithReference(std::string probe, const std::string& id) {
    probe.replace(probe.find("REF"), 3, id);
    return probe;
}

} // namespace

class WrongKind : public CraftedInput, public testing::WithParamInterface<WrongKindCase> {};

// Each reference names, in turn, an element of every kind it must not name: the load fails
// with the read error of the probing element, or, where the reference may name anything, loads
// with the outcome the import gives it.
TEST_P(WrongKind, ReferencesToElementsOfTheWrongKind) {
    const WrongKindCase& c = GetParam();
    for (const std::string& id : c.Wrong) {
        std::string loaded = OpenBody(EveryKind + WithReference(c.Probe, id));
        if (c.Loads) {
            ASSERT_EQ("", loaded) << id;
            c.Loads(*Opened);
            ExploreProgram(Opened.get());
        } else {
            EXPECT_EQ("Could not load file", loaded) << id;
            EXPECT_EQ(ReadError(17), LogLines().back()) << id;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Import, WrongKind,
    testing::Values(
        WrongKindCase{"FunctionContext",
                      "<Function id=\"_20\" name=\"g\" returns=\"_2\" context=\"REF\" "
                      "file=\"f0\" line=\"1\"/>\n",
                      AllBut(Namespaces),
                      {}},
        WrongKindCase{"MethodContext",
                      "<Method id=\"_20\" name=\"g\" returns=\"_2\" context=\"REF\" file=\"f0\" "
                      "line=\"1\"/>\n",
                      AllBut(Containers),
                      {}},
        WrongKindCase{"ConstructorContext",
                      "<Constructor id=\"_20\" name=\"C\" context=\"REF\" file=\"f0\" "
                      "line=\"1\"/>\n",
                      AllBut({"_4"}),
                      {}},
        WrongKindCase{"ReturnType",
                      "<Function id=\"_20\" name=\"g\" returns=\"REF\" context=\"_1\" "
                      "file=\"f0\" line=\"1\"/>\n",
                      AllBut(Types),
                      {}},
        WrongKindCase{"FieldType",
                      "<Field id=\"_20\" name=\"y\" type=\"REF\" context=\"_4\" file=\"f0\"/>\n",
                      AllBut(Types),
                      {}},
        WrongKindCase{"FieldContext",
                      "<Field id=\"_20\" name=\"y\" type=\"_2\" context=\"REF\" file=\"f0\"/>\n",
                      AllBut(Containers),
                      {}},
        WrongKindCase{"TypedefType",
                      "<Typedef id=\"_20\" name=\"U\" type=\"REF\" context=\"_1\" file=\"f0\"/>\n",
                      AllBut(Types),
                      {}},
        WrongKindCase{"TypedefContext",
                      "<Typedef id=\"_20\" name=\"U\" type=\"_2\" context=\"REF\" file=\"f0\"/>\n",
                      AllBut(Containers),
                      {}},
        WrongKindCase{"EnumerationContext",
                      "<Enumeration id=\"_20\" name=\"F\" context=\"REF\" file=\"f0\"/>\n",
                      AllBut(Containers),
                      {}},
        WrongKindCase{"PointerBase", "<PointerType id=\"_20\" type=\"REF\"/>\n", AllBut(Types), {}},
        WrongKindCase{"FunctionTypeReturns",
                      "<FunctionType id=\"_20\" returns=\"REF\"/>\n",
                      AllBut(Types),
                      {}},
        WrongKindCase{"ClassContext",
                      "<Class id=\"_20\" name=\"D\" context=\"REF\" file=\"f0\"/>\n",
                      AllBut(Containers),
                      {}},
        WrongKindCase{"BaseClass",
                      "<Class id=\"_20\" name=\"D\" context=\"_1\" file=\"f0\" bases=\"REF\"/>\n",
                      AllBut({"_4"}),
                      {}},
        WrongKindCase{"FileOfAFunction",
                      "<Function id=\"_20\" name=\"g\" returns=\"_2\" context=\"_1\" "
                      "file=\"REF\" line=\"1\"/>\n",
                      {"_1", "_13", "f1", "f-1", "f99999999999"},
                      {}},
        // A namespace whose context is no namespace goes to the top level.
        WrongKindCase{"NamespaceContext", "<Namespace id=\"_20\" name=\"top\" context=\"REF\"/>\n",
                      AllBut(Namespaces),
                      [](CProgram& program) {
                          ASSERT_EQ(2u, program.Namespaces.size());
                          EXPECT_EQ("top", program.Namespaces[1]->GetName());
                      }},
        // An argument whose type is no type is an unresolved argument: no weight, no rectangle.
        WrongKindCase{"ArgumentType",
                      "<Function id=\"_20\" name=\"g\" returns=\"_2\" context=\"_1\" "
                      "file=\"f0\" line=\"1\"><Argument type=\"REF\"/></Function>\n",
                      AllBut(Types),
                      [](CProgram& program) {
                          CFunction* g = program.Namespaces[0]->Functions.back();
                          ASSERT_EQ(1u, g->Arguments.size());
                          EXPECT_EQ(nullptr, g->Arguments[0]);
                          EXPECT_EQ(1, g->GetSize());
                      }}),
    [](const testing::TestParamInfo<WrongKindCase>& info) { return info.param.Name; });

// Cycles the front end never writes but a file can hold: bases, derived types and typedefs
// that lead back to themselves, and classes holding members of their own type. Each loads,
// and every walk over it ends.
TEST_F(CraftedInput, CyclesOfBasesDerivedTypesAndTypedefsLoadAndEveryWalkEnds) {
    ASSERT_EQ(
        "", OpenBody(Prologue +
                     /* 6 */ "<Class id=\"_3\" name=\"A\" context=\"_1\" file=\"f0\" "
                             "bases=\"_4\"/>\n"
                             /* 7 */ "<Class id=\"_4\" name=\"B\" context=\"_1\" file=\"f0\" "
                             "bases=\"_3\"/>\n"
                             /* 8 */ "<Class id=\"_5\" name=\"Self\" context=\"_1\" file=\"f0\" "
                             "bases=\"_5 _3\"/>\n"
                             /* 9 */ "<PointerType id=\"_6\" type=\"_7\"/>\n"
                             /* 10 */ "<ReferenceType id=\"_7\" type=\"_6\"/>\n"
                             /* 11 */ "<FunctionType id=\"_8\" returns=\"_8\"/>\n"
                             /* 12 */ "<Typedef id=\"_9\" name=\"T1\" type=\"_10\" context=\"_1\" "
                             "file=\"f0\"/>\n"
                             /* 13 */ "<Typedef id=\"_10\" name=\"T2\" type=\"_9\" context=\"_1\" "
                             "file=\"f0\"/>\n"
                             /* 14 */ "<Field id=\"_11\" name=\"p\" type=\"_6\" context=\"_3\" "
                             "file=\"f0\"/>\n"
                             /* 15 */ "<Field id=\"_12\" name=\"t\" type=\"_9\" context=\"_3\" "
                             "file=\"f0\"/>\n"
                             /* 16 */ "<Field id=\"_13\" name=\"b\" type=\"_4\" context=\"_3\" "
                             "file=\"f0\"/>\n"
                             /* 17 */ "<Field id=\"_14\" name=\"a\" type=\"_3\" context=\"_4\" "
                             "file=\"f0\"/>\n"
                             /* 18 */ "<Variable id=\"_15\" name=\"self\" type=\"_5\" "
                             "context=\"_5\" file=\"f0\"/>\n"
                             /* 19 */ "<Method id=\"_16\" name=\"m\" returns=\"_8\" context=\"_5\" "
                             "file=\"f0\" line=\"1\"><Argument type=\"_6\"/>"
                             "<Argument type=\"_5\"/></Method>\n"));
    EXPECT_TRUE(LogLines().empty());
    const CNamespace* global = Opened->Namespaces[0];
    CClassType* a = ClassIn(global, "A");
    CClassType* b = ClassIn(global, "B");
    CClassType* self = ClassIn(global, "Self");
    EXPECT_TRUE(CClassCriterion::DerivesFrom(a, b));
    EXPECT_TRUE(CClassCriterion::DerivesFrom(a, a));
    EXPECT_TRUE(CClassCriterion::DerivesFrom(self, b));
    std::string loop = FieldIn(a, "p")->Type->GetName(); // cut where the chain repeats
    EXPECT_LE(4u, loop.size());
    EXPECT_GE(8u, loop.size());
    EXPECT_EQ(std::string::npos, loop.find_first_not_of(" *"));
    EXPECT_EQ("T1", FieldIn(a, "t")->Type->GetName());
    CExploration walk = ExploreProgram(Opened.get());
    EXPECT_GT(walk.Rectangles, 10);
}

// Nesting at the limit loads, and every recursive walk over the model gets through it: sizing,
// layout (with the full area passed down, so that nothing becomes too small to lay out),
// screen boxes and cushions (without borders, so that every box keeps its size), hit test,
// descriptions, search, queries and destruction. One level more is refused, whether the
// reader meets it while linking (namespaces, parents first) or only in the finished model
// (classes, children first).
TEST_F(CraftedInput, NestingAtTheLimitLoadsAndEveryWalkGetsThrough) {
    const int namespaces = Limit / 2 - 1; // below the global namespace
    auto document = [&](int classes) {
        std::string text = NestedNamespaces(namespaces);
        text.erase(text.rfind("<Function"));
        return text +
               Elements(classes,
                        [&](int i) {
                            return "<Struct id=\"" + Id(5000 + i) + "\" name=\"c\" context=\"" +
                                   Id(i == classes - 1 ? 9 + namespaces : 5001 + i) +
                                   "\" file=\"f0\"/>\n";
                        }) +
               "<Method id=\"_5\" name=\"deepest\" returns=\"_2\" context=\"_5000\" "
               "file=\"f0\" line=\"1\" endline=\"9\"/>\n";
    };
    ASSERT_EQ("", OpenBody(document(Limit - 1 - namespaces)));
    CLayoutSettings layout;
    layout.ChildAreaFactor = 1;
    CLooksSettings looks;
    looks.DynamicBorderWidth = 0;
    {
        CScopedSettings settings(layout, looks);
        CExploration walk = ExploreProgram(Opened.get());
        // Program, then a group and a scope per level, then the function group and function.
        EXPECT_EQ(2 * Limit + 2, walk.Deepest);
        EXPECT_EQ("deepest", walk.DeepestName);
        EXPECT_EQ(walk.Deepest, walk.DeepestHit);
        EXPECT_EQ(1, walk.Found);
    }
    Opened.reset();

    std::size_t before = LogLines().size();
    EXPECT_EQ("Could not load file", OpenBody(document(Limit - namespaces)));
    EXPECT_EQ(Lines{TooDeep}, LogSince(before));

    before = LogLines().size();
    EXPECT_EQ("Could not load file", OpenBody(NestedNamespaces(Limit)));
    EXPECT_EQ((Lines{TooDeep, "[error] Error in xml file: Namespace" + Id(9 + Limit),
                     ReadError(5 + Limit)}),
              LogSince(before));
}

// Nesting a hundred times deeper than the limit fails quickly and cleanly, however it is
// built: scopes inside scopes, chains of classes that sizing would walk down through their
// members' and arguments' types, or elements inside an element.
TEST_F(CraftedInput, HundredThousandLevelsFailCleanly) {
    const int levels = 100000;
    std::size_t before = LogLines().size();
    EXPECT_EQ("Could not load file", OpenBody(NestedNamespaces(levels)));
    EXPECT_EQ((Lines{TooDeep, "[error] Error in xml file: Namespace" + Id(9 + Limit),
                     ReadError(5 + Limit)}),
              LogSince(before));
    for (const std::string& document :
         {NestedClasses(levels), StructChain(levels, FieldOf), StructChain(levels, MethodTaking)}) {
        before = LogLines().size();
        EXPECT_EQ("Could not load file", OpenBody(document));
        EXPECT_EQ(Lines{TooDeep}, LogSince(before));
    }
    // Elements nested inside an element: the parser refuses them long before (past 256
    // levels) as not well-formed.
    std::string open, close;
    for (int i = 0; i < levels; ++i) {
        open += "<Argument type=\"_2\">";
        close += "</Argument>";
    }
    before = LogLines().size();
    EXPECT_EQ("Could not load file",
              OpenBody(Prologue +
                       "<Function id=\"_3\" name=\"f\" returns=\"_2\" context=\"_1\" "
                       "file=\"f0\" line=\"1\">" +
                       open + close + "</Function>\n"));
    EXPECT_EQ(Lines{ReadError(6)}, LogSince(before));
}

// Long chains that nothing walks with recursion load: a hundred thousand derived types, each
// built on the next, a hundred thousand typedefs, each aliasing the next, and a hundred
// thousand classes, each derived from the next.
TEST_F(CraftedInput, LongChainsOfDerivedTypesTypedefsAndBasesLoad) {
    const int length = 100000;
    ASSERT_EQ("", OpenBody(Prologue +
                           Elements(length,
                                    [](int i) {
                                        return "<PointerType id=\"" + Id(10 + i) + "\" type=\"" +
                                               (i == length - 1 ? "_2" : Id(11 + i)) + "\"/>\n";
                                    }) +
                           "<Variable id=\"_3\" name=\"v\" type=\"_10\" context=\"_1\" "
                           "file=\"f0\"/>\n"));
    std::string name = FieldIn(Opened->Namespaces[0], "v")->Type->GetName();
    EXPECT_EQ(3u + 2u * length, name.size());
    ExploreProgram(Opened.get());

    ASSERT_EQ("", OpenBody(Prologue + Elements(length, [](int i) {
                               return "<Typedef id=\"" + Id(10 + i) + "\" name=\"t\" type=\"" +
                                      (i == length - 1 ? "_2" : Id(11 + i)) +
                                      "\" context=\"_1\" file=\"f0\"/>\n";
                           })));
    EXPECT_EQ(static_cast<std::size_t>(length), Opened->Namespaces[0]->Types.size());
    ExploreProgram(Opened.get());

    ASSERT_EQ("", OpenBody(Prologue + Elements(length, [](int i) {
                               return "<Class id=\"" + Id(10 + i) + "\" name=\"c\" context=\"_1\"" +
                                      " file=\"f0\"" +
                                      (i == length - 1 ? "" : " bases=\"" + Id(11 + i) + "\"") +
                                      "/>\n";
                           })));
    const std::vector<CType*>& classes = Opened->Namespaces[0]->Types;
    EXPECT_TRUE(CClassCriterion::DerivesFrom(dynamic_cast<CClassType*>(classes.front()),
                                             dynamic_cast<CClassType*>(classes.back())));
    CFixedViewUnits view(800);
    CRectArea treemap(Opened.get(), &view);
}

namespace {

// A document type declaring entities, then the root element with inner text; line 1 is the
// declaration, the root starts on line 3.
std::string WithDoctype(const std::string& root, const std::string& declarations,
                        const std::string& inner) {
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [" + declarations + "]>\n<" + root +
           ">\n" + inner + "</" + root + ">\n";
}

// Entities that expand to a thousand million copies of a short text.
std::string Laughs() {
    std::string declarations = "<!ENTITY a0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        declarations += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            declarations += "&a" + std::to_string(i - 1) + ";";
        declarations += "\">";
    }
    return declarations;
}

// An entity of a hundred thousand characters.
std::string BigEntity() {
    return "<!ENTITY big \"" + std::string(100000, 'x') + "\">";
}

} // namespace

// External entities, external document types (from the disk or the network) and external
// parameter entities are never read; entity references are left unexpanded; an expansion bomb
// fails at once as not well-formed.
TEST_F(CraftedInput, FrontEndFileReadsNothingBeyondItself) {
    Dir.WriteFile("injected.xml", "<Namespace id=\"_7\" name=\"INJECTED\" context=\"_1\"/>");
    Dir.WriteFile("defaults.dtd", "<!ATTLIST Namespace context CDATA \"_7\">"
                                  "<!ENTITY % more SYSTEM \"injected.xml\">");
    CFileOpenWatch watch;
    watch.Watch(Dir.Path() + "/injected.xml");
    watch.Watch(Dir.Path() + "/defaults.dtd");
    CLocalListener network;
    std::string url = "http://127.0.0.1:" + std::to_string(network.GetPort()) + "/x.dtd";
    const std::string global = "<Namespace id=\"_1\" name=\"::\"/>\n";
    const std::string documents[] = {
        WithDoctype("GCC_XML", "<!ENTITY ext SYSTEM \"injected.xml\">", global + "&ext;\n"),
        WithDoctype("GCC_XML", "<!ENTITY ext SYSTEM \"file://" + Dir.Path() + "/injected.xml\">",
                    global + "&ext;\n"),
        WithDoctype("GCC_XML", "<!ENTITY ext SYSTEM \"" + url + "\">", global + "&ext;\n"),
        "<?xml version=\"1.0\"?>\n<!DOCTYPE GCC_XML SYSTEM \"defaults.dtd\">\n<GCC_XML>\n" +
            global + "</GCC_XML>\n",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE GCC_XML SYSTEM \"" + url + "\">\n<GCC_XML>\n" + global +
            "</GCC_XML>\n",
        WithDoctype("GCC_XML", "<!ENTITY % ext SYSTEM \"defaults.dtd\"> %ext;", global),
        WithDoctype("GCC_XML", "<!ENTITY % ext SYSTEM \"" + url + "\"> %ext;", global),
    };
    for (const std::string& document : documents) {
        Dir.WriteFile("entities.xml", document);
        ASSERT_EQ("", Open("entities.xml")) << document;
        ASSERT_EQ(1u, Opened->Namespaces.size()) << document;
        EXPECT_TRUE(Opened->Namespaces[0]->Namespaces.empty()) << document;
    }
    EXPECT_FALSE(watch.Touched());
    EXPECT_EQ(0, network.GetConnections());

    std::size_t before = LogLines().size();
    for (const char* inner : {"<Namespace id=\"_1\" name=\"::\">&a9;</Namespace>\n",
                              "<Namespace id=\"_1\" name=\"&a9;\"/>\n"}) {
        Dir.WriteFile("laughs.xml", WithDoctype("GCC_XML", Laughs(), inner));
        EXPECT_EQ("Could not load file", Open("laughs.xml")) << inner;
    }
    EXPECT_EQ((Lines{ReadError(4), ReadError(4)}), LogSince(before));

    // A thousand names referring to one big entity: each would copy it.
    Dir.WriteFile("quadratic.xml",
                  WithDoctype("GCC_XML", BigEntity(),
                              "<Namespace id=\"_1\" name=\"::\"/>\n" + Elements(1000, [](int i) {
                                  return "<Namespace id=\"" + Id(10 + i) +
                                         "\" name=\"&big;\" context=\"_1\"/>\n";
                              })));
    ASSERT_EQ("", Open("quadratic.xml"));
    ASSERT_EQ(1000u, Opened->Namespaces[0]->Namespaces.size());
    for (const CNamespace* ns : Opened->Namespaces[0]->Namespaces)
        ASSERT_EQ("", ns->GetName());
}

namespace {

std::vector<std::string> FrontEndArguments;

// Stands in for the front end: records the arguments and writes nothing.
int RecordArguments(std::string, const std::string* arguments, int count) {
    FrontEndArguments.assign(arguments, arguments + count);
    return 0;
}

} // namespace

// The same for project files, read as a whole document: what the front end would receive
// comes from the project file alone.
TEST_F(CraftedInput, ProjectFileReadsNothingBeyondItself) {
    Dir.WriteFile("injected.xml", "<define arg=\"-DINJECTED\"/>");
    Dir.WriteFile("defaults.dtd", "<!ATTLIST define arg CDATA \"-DFROM_DTD\">");
    CFileOpenWatch watch;
    watch.Watch(Dir.Path() + "/injected.xml");
    watch.Watch(Dir.Path() + "/defaults.dtd");
    CLocalListener network;
    std::string url = "http://127.0.0.1:" + std::to_string(network.GetPort()) + "/x.dtd";
    const std::string settings = "<settings gccxml_path=\"front-end\" output_file=\"out.xml\"/>";
    const std::string documents[] = {
        WithDoctype("project", "<!ENTITY ext SYSTEM \"injected.xml\">",
                    settings + "<options>&ext;<define/></options>\n"),
        WithDoctype("project", "<!ENTITY ext SYSTEM \"" + url + "\">",
                    settings + "<options>&ext;<define/></options>\n"),
        "<?xml version=\"1.0\"?>\n<!DOCTYPE project SYSTEM \"defaults.dtd\">\n<project>" +
            settings + "<options><define/></options></project>\n",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE project SYSTEM \"" + url + "\">\n<project>" + settings +
            "<options><define/></options></project>\n",
        WithDoctype("project", "<!ENTITY % ext SYSTEM \"defaults.dtd\"> %ext;",
                    settings + "<options><define/></options>\n"),
    };
    SetCommandRunner(RecordArguments);
    for (const std::string& document : documents) {
        Dir.WriteFile("project.xml", document);
        FrontEndArguments.clear();
        EXPECT_EQ("Could not open Xml file", Open("project.xml")) << document;
        EXPECT_EQ(Lines{"-fxml=out.xml"}, FrontEndArguments) << document;
    }

    // The bomb stops the first read, which looks for the root element.
    Dir.WriteFile("project.xml", WithDoctype("project", Laughs(), settings + "&a9;\n"));
    FrontEndArguments.clear();
    EXPECT_EQ("Could not load file", Open("project.xml"));
    EXPECT_EQ(ReadError(4), LogLines().back());
    EXPECT_TRUE(FrontEndArguments.empty());

    Dir.WriteFile("project.xml", WithDoctype("project", BigEntity(),
                                             settings + "<options>" + Elements(1000, [](int) {
                                                 return std::string("<define arg=\"&big;\"/>");
                                             }) + "</options>\n"));
    EXPECT_EQ("Could not open Xml file", Open("project.xml"));
    ASSERT_EQ(1001u, FrontEndArguments.size());
    EXPECT_EQ("", FrontEndArguments[1000]);
    SetCommandRunner(nullptr);
    EXPECT_TRUE(FrontEndArguments.size() <= 1 || FrontEndArguments[1].empty());
    EXPECT_FALSE(watch.Touched());
    EXPECT_EQ(0, network.GetConnections());
}

// Text in another encoding than the document declares, or in one the parser does not know,
// is a read error; a front-end document in a declared single-byte encoding or in UTF-16 loads
// with its names in UTF-8.
TEST_F(CraftedInput, MisencodedFilesFailAndDeclaredEncodingsLoad) {
    const std::string body = "<Namespace id=\"_1\" name=\"::\"/>\n"
                             "<Namespace id=\"_2\" name=\"caf\xe9\" context=\"_1\"/>\n";
    std::size_t before = LogLines().size();
    EXPECT_EQ("Could not load file", OpenBody(body));
    Dir.WriteFile("unknown.xml", "<?xml version=\"1.0\" encoding=\"no-such-encoding\"?>\n"
                                 "<GCC_XML>\n" +
                                     body + "</GCC_XML>\n");
    EXPECT_EQ("Could not load file", Open("unknown.xml"));
    Lines log = LogSince(before);
    ASSERT_EQ(2u, log.size());
    for (const std::string& line : log)
        EXPECT_EQ(0u, line.find("[error] Error loading file: Read error on line number ")) << line;

    Dir.WriteFile("latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<GCC_XML>\n" +
                                    body + "</GCC_XML>\n");
    ASSERT_EQ("", Open("latin1.xml"));
    EXPECT_EQ("caf\xc3\xa9", Opened->Namespaces[0]->Namespaces[0]->GetName());

    std::string utf16 = "\xff\xfe"; // little-endian, with its byte-order mark
    for (char c : GccXml("<Namespace id=\"_1\" name=\"::\"/>\n"
                         "<Namespace id=\"_2\" name=\"n\" context=\"_1\"/>\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    Dir.WriteFile("utf16.xml", utf16);
    ASSERT_EQ("", Open("utf16.xml"));
    EXPECT_EQ("n", Opened->Namespaces[0]->Namespaces[0]->GetName());
}

// Project files that are empty, cut short, binary or misencoded never start the front end:
// what fails in the first read, which looks for the root element, is not loaded; what fails
// only afterwards is "Invalid file or xml document".
TEST_F(CraftedInput, BrokenProjectFilesStartNothing) {
    const std::string whole = "<?xml version=\"1.0\"?>\n<project><settings gccxml_path=\"g\" "
                              "output_file=\"o.xml\"/><options><a arg=\"-DX\"/></options>"
                              "</project>\n";
    struct {
        std::string Text;
        const char* Thrown;
    } cases[] = {
        {"", "Could not load file"},
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10), "Could not load file"},
        {whole.substr(0, whole.find("<options>") + 12), "Invalid file or xml document"},
        {whole.substr(0, whole.find("<a arg")) + "<a arg=\"-D\xe9\"/></options></project>",
         "Could not load file"},
    };
    SetCommandRunner(RecordArguments);
    for (const auto& c : cases) {
        Dir.WriteFile("project.xml", c.Text);
        FrontEndArguments = {"not run"};
        EXPECT_EQ(c.Thrown, Open("project.xml")) << c.Text;
        EXPECT_EQ(Lines{"not run"}, FrontEndArguments) << c.Text;
    }
    SetCommandRunner(nullptr);
}
