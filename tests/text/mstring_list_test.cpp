// The string list: building, access, insertion, removal, Split and Dump.
#include "text/mstring_list.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "text_test_util.h"

namespace evoplug {
namespace {

using testing::CoutCapture;
using testing::Ptr;
using testing::Str;
using testing::Text;
using namespace std::string_literals;
using Texts = std::vector<std::string>;

MStringList Make(const Texts& texts) {
    MStringList list;
    for (const std::string& t : texts) list.Add(t.c_str());
    return list;
}

// The items joined by commas.
std::string Joined(const MStringList& list) {
    std::string text;
    for (int i = 0; i < list.GetSize(); ++i) text += (i > 0 ? "," : "") + Str(list.GetAt(i));
    return text;
}

TEST(MStringList, CopiesShareNothingAndOutOfRangeChangesNothing) {
    MStringList list = Make({"a", "b"}), copy(list);
    copy.ElementAt(0)->SetAt(0, 'A');
    copy.Add("c");
    list = list;
    MStringList assigned;
    assigned = copy;
    copy.SetAt(1, "B");
    EXPECT_EQ(Joined(assigned), "A,b,c");
    EXPECT_EQ(Joined(MStringList(MString("x"))), "x");

    list.GetAt(0) += "x";  // a copy
    list.SetAt(2, "z");
    list.SetAt(-1, MString("z"));
    EXPECT_EQ(Joined(list), "a,b");
    EXPECT_EQ(Str(list.GetAt(-1)) + Str(list.GetAt(2)), "");
    EXPECT_EQ(list.ElementAt(-1), nullptr);
    EXPECT_EQ(list.ElementAt(2), nullptr);
    EXPECT_EQ(list.RemoveAll().GetUpperBound(), -1);
}

TEST(MStringList, InsertRemoveAndSplitEdgeCases) {
    // Each edit runs on a list made of `start` (void edits give 0); the "|"
    // added afterwards shows that the tail moved along.
    using L = MStringList&;
    struct Case {
        Texts start;
        std::function<int(L)> edit;
        int result;
        std::string want;
    };
    // clang-format off
    const Case cases[] = {
        {{}, [](L l) { return l.InsertAt(0, "x", 3), 0; }, 0, "x,x,x,|"},
        {{"a", "b"}, [](L l) { return l.InsertAt(0, MString("z"), 2), 0; }, 0, "z,z,a,b,|"},
        {{"a", "b"}, [](L l) { return l.InsertAt(1, "m", 1), 0; }, 0, "a,m,b,|"},
        {{"a", "b"}, [](L l) { return l.InsertAt(2, "e", 1), 0; }, 0, "a,b,e,|"},
        {{"a"}, [](L l) { return l.InsertAt(3, "y", 1), 0; }, 0, "a,,,y,|"},
        {{}, [](L l) { return l.InsertAt(2, "q", 2), 0; }, 0, "q,q,|"},
        {{"a"}, [](L l) { return l.InsertAt(-1, "n", 1), l.InsertAt(0, "n", 0), 0; }, 0, "a,|"},
        {{"a", "d"}, [](L l) { return l.InsertAt(1, Make({"b", "c"})), 0; }, 0, "a,b,c,d,|"},
        {{"a"}, [](L l) { return l.InsertAt(2, Make({"f"})), 0; }, 0, "a,,f,|"},
        {{"a"}, [](L l) { return l.InsertAt(5, MStringList()), 0; }, 0, "a,|"},
        {{"a"}, [](L l) { return l.InsertAt(-1, Make({"b", "c"})), 0; }, 0, "c,a,|"},
        {{}, [](L l) { return l.InsertAt(2, Make({"b", "c"})), 0; }, 0, "b,,,c,|"},
        {{}, [](L l) { return l.Append(MStringList()); }, 0, "|"},
        {{"a"}, [](L l) { return l.Add("b"); }, 1, "a,b,|"},
        {{"a", "b", "c", "d"}, [](L l) { return l.RemoveAt(1, 2), 0; }, 0, "a,d,|"},
        {{"a", "b"}, [](L l) { return l.RemoveAt(0, 5), 0; }, 0, "|"},
        {{"a", "b", "c"}, [](L l) { return l.RemoveAt(1, 9), 0; }, 0, "a,|"},
        {{"a", "b"}, [](L l) { return l.RemoveAt(2, 1), l.RemoveAt(-1, 1), l.RemoveAt(0, 0), 0; }, 0, "a,b,|"},
        {{}, [](L l) { return l.Split(MString("a,b,,c"), ',', 0, 0), 0; }, 0, "a,b,,c,|"},
        {{}, [](L l) { return l.Split(MString("a,b,"), ',', 0, 0), 0; }, 0, "a,b,|"},
        {{"x", "y"}, [](L l) { return l.Split(MString("skip;p;q"), ';', 5, 1), 0; }, 0, "x,p,q,y,|"},
        {{"x"}, [](L l) { return l.Split(MString("whole"), ';', 0, 3), 0; }, 0, "x,,,whole,|"},
        {{}, [](L l) { return l.Split(MString("a;b"), ';', -2, 0), 0; }, 0, "a,b,|"},
        {{"x"}, [](L l) { return l.Split(MString("a;b"), ';', 0, -1), 0; }, 0, "b,x,|"},
        {{"x"}, [](L l) { return l.Split(MString(""), ';', 0, 0), l.Split(MString("a;b"), ';', 9, 0), 0; }, 0, "x,|"},
        // A 0 is a character of the piece, and a delimiter like any other.
        {{}, [](L l) { return l.Split(Text("a\0b,\0,c"s), ',', 0, 0), 0; }, 0, "a\0b,\0,c,|"s},
        {{}, [](L l) { return l.Split(Text("a\0\0b"s), '\0', 0, 0), 0; }, 0, "a,,b,|"}};
    // clang-format on
    CoutCapture quiet;
    for (size_t i = 0; i < std::size(cases); ++i) {
        MStringList list = Make(cases[i].start);
        EXPECT_EQ(cases[i].edit(list), cases[i].result) << "case " << i;
        list.Add("|");
        EXPECT_EQ(Joined(list), cases[i].want) << "case " << i;
    }
}

TEST(MStringList, SplitReportsEachPieceWithItsPlaces) {
    MStringList list;
    CoutCapture capture;
    list.Split(MString("a,b,,c"), ',', 0, 0);
    list.Split(MString("skip;p;q"), ';', 5, 0);
    list.Split(Text("a\0b,c"s), ',', 0, 0);  // printed as a C string, the piece ends at its 0
    EXPECT_EQ(capture.text(),
              "a\nplace = 0\nplace = 2\nb\nplace = 2\nplace = 4\n\nplace = 4\nplace = 5\n"
              "p\nplace = 5\nplace = 7\na\nplace = 0\nplace = 4\n");
}

TEST(MStringList, DumpListsNodesEndsAndSize) {
    MStringList list = Make({"a", "bc"}), empty;
    auto node = [&list](int i) {
        return reinterpret_cast<const char*>(list.ElementAt(i)) - offsetof(MStringListNode, value);
    };
    CoutCapture capture;
    list.Dump();
    empty.Dump();
    EXPECT_EQ(capture.text(), "Head = " + Ptr(node(0)) + "\nIndex(0) a " + Ptr(node(1)) +
                                  "\nIndex(1) bc " + Ptr(nullptr) + "\nTail = " + Ptr(node(1)) +
                                  "\nGetSize = 2\nHead = " + Ptr(nullptr) +
                                  "\nTail = " + Ptr(nullptr) + "\nGetSize = 0\n");
}

TEST(MStringList, FortyThousandElementsInsertCopyAndFree) {
    MStringList list(MString("a"));
    list.InsertAt(20000, "x", 20000);
    MStringList copy(list);
    EXPECT_TRUE(list.GetAt(19999).IsEmpty());
    EXPECT_EQ(Str(list.GetAt(39999)), "x");
    list.RemoveAt(1, 39998);
    EXPECT_EQ(list.GetSize(), 2);
    EXPECT_EQ(copy.GetSize(), 40000);
}

}  // namespace
}  // namespace evoplug
