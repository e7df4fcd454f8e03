// The string list: building, access, insertion, removal, Split and Dump.
#include "text/mstring_list.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "text_test_util.h"

namespace evoplug {
namespace {

using testing::CoutCapture;
using testing::Ptr;
using testing::Str;

std::vector<std::string> Items(const MStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.GetSize(); ++i) items.push_back(Str(list.GetAt(i)));
    return items;
}

using Texts = std::vector<std::string>;

MStringList Make(const Texts& texts) {
    MStringList list;
    for (const std::string& t : texts) list.Add(t.c_str());
    return list;
}

const MStringListNode* NodeOf(MStringList& list, int index) {
    const MString* value = list.ElementAt(index);
    return reinterpret_cast<const MStringListNode*>(reinterpret_cast<const char*>(value) -
                                                    offsetof(MStringListNode, value));
}

TEST(MStringListBuild, ConstructCopyAssign) {
    MStringList empty;
    EXPECT_EQ(empty.GetSize(), 0);
    EXPECT_EQ(empty.GetUpperBound(), -1);

    MStringList one(MString("x"));
    EXPECT_EQ(Items(one), Texts({"x"}));

    MStringList list = Make({"a", "b", "c"});
    MStringList copy(list);
    copy.ElementAt(0)->SetAt(0, 'A');
    copy.Add("d");
    EXPECT_EQ(Items(list), Texts({"a", "b", "c"}));
    EXPECT_EQ(Items(copy), Texts({"A", "b", "c", "d"}));

    list = copy;
    EXPECT_EQ(Items(list), Texts({"A", "b", "c", "d"}));
    list = list;
    EXPECT_EQ(Items(list), Texts({"A", "b", "c", "d"}));
    list.Add("e");
    EXPECT_EQ(copy.GetSize(), 4);

    EXPECT_EQ(&list.RemoveAll(), &list);
    EXPECT_EQ(list.GetSize(), 0);
    list.Add("again");
    EXPECT_EQ(Items(list), Texts({"again"}));
}

TEST(MStringListAccess, OutOfRangeGivesEmptyNullOrNoChange) {
    MStringList list = Make({"a", "b"});
    EXPECT_TRUE(list.GetAt(-1).IsEmpty());
    EXPECT_TRUE(list.GetAt(2).IsEmpty());
    EXPECT_EQ(list.ElementAt(-1), nullptr);
    EXPECT_EQ(list.ElementAt(2), nullptr);
    list.SetAt(2, "z");
    list.SetAt(-1, MString("z"));
    EXPECT_EQ(Items(list), Texts({"a", "b"}));

    list.SetAt(1, "B");
    list.SetAt(0, MString("A"));
    EXPECT_EQ(Items(list), Texts({"A", "B"}));
    *list.ElementAt(1) += "!";
    EXPECT_EQ(Str(list.GetAt(1)), "B!");

    // GetAt hands out a copy.
    MString copy = list.GetAt(0);
    copy += "x";
    EXPECT_EQ(Str(list.GetAt(0)), "A");
}

TEST(MStringListInsert, CountsFrontMiddleAndEnd) {
    MStringList list;
    list.InsertAt(0, "x", 3);
    EXPECT_EQ(Items(list), Texts({"x", "x", "x"}));

    MStringList ab = Make({"a", "b"});
    ab.InsertAt(0, MString("z"), 2);
    EXPECT_EQ(Items(ab), Texts({"z", "z", "a", "b"}));
    EXPECT_EQ(ab.Add("c"), 4);
    EXPECT_EQ(Items(ab), Texts({"z", "z", "a", "b", "c"}));

    ab.InsertAt(2, "m", 2);
    EXPECT_EQ(Items(ab), Texts({"z", "z", "m", "m", "a", "b", "c"}));
    ab.InsertAt(7, "end", 1);
    ab.Add("last");
    EXPECT_EQ(Items(ab), Texts({"z", "z", "m", "m", "a", "b", "c", "end", "last"}));

    ab.InsertAt(-1, "no", 1);
    ab.InsertAt(1, "no", 0);
    ab.InsertAt(1, "no", -3);
    EXPECT_EQ(ab.GetSize(), 9);
}

TEST(MStringListInsert, BeyondTheSizeFillsWithEmptyTexts) {
    MStringList list = Make({"a", "b"});
    list.InsertAt(4, "y", 1);
    EXPECT_EQ(Items(list), Texts({"a", "b", "", "", "y"}));
    EXPECT_EQ(list.GetSize(), 5);
    list.Add("z");
    EXPECT_EQ(Str(list.GetAt(5)), "z");

    MStringList empty;
    empty.InsertAt(2, "q", 2);
    EXPECT_EQ(Items(empty), Texts({"", "", "q", "q"}));
    empty.Add("r");
    EXPECT_EQ(empty.GetUpperBound(), 4);
}

TEST(MStringListInsert, ListsAndAppend) {
    MStringList list = Make({"a", "d"});
    list.InsertAt(1, Make({"b", "c"}));
    EXPECT_EQ(Items(list), Texts({"a", "b", "c", "d"}));
    list.InsertAt(6, Make({"f"}));
    EXPECT_EQ(Items(list), Texts({"a", "b", "c", "d", "", "", "f"}));
    list.InsertAt(9, MStringList());  // nothing to insert, no filling either
    EXPECT_EQ(list.GetSize(), 7);

    MStringList self = Make({"x", "y"});
    self.InsertAt(1, self);
    EXPECT_EQ(Items(self), Texts({"x", "x", "y", "y"}));
    EXPECT_EQ(self.Append(self), 8);
    EXPECT_EQ(Items(self), Texts({"x", "x", "y", "y", "x", "x", "y", "y"}));
    self.Add("z");
    EXPECT_EQ(self.GetUpperBound(), 8);

    MStringList empty;
    EXPECT_EQ(empty.Append(Make({"p"})), 1);
    EXPECT_EQ(empty.Append(MStringList()), 1);
    empty.Add("q");
    EXPECT_EQ(Items(empty), Texts({"p", "q"}));

    // A value taken from the list itself.
    MStringList own = Make({"k", "l"});
    own.InsertAt(0, *own.ElementAt(1), 2);
    EXPECT_EQ(Items(own), Texts({"l", "l", "k", "l"}));
}

TEST(MStringListRemove, RunsAreClampedAndTheTailFollows) {
    MStringList list = Make({"a", "b", "c", "d"});
    list.RemoveAt(1, 2);
    EXPECT_EQ(Items(list), Texts({"a", "d"}));

    MStringList all = Make({"a", "b", "c", "d"});
    all.RemoveAt(0, 5);
    EXPECT_EQ(all.GetSize(), 0);
    all.Add("n");
    EXPECT_EQ(Items(all), Texts({"n"}));

    MStringList same = Make({"a", "b", "c", "d"});
    same.RemoveAt(4, 1);
    same.RemoveAt(-1, 1);
    same.RemoveAt(0, 0);
    EXPECT_EQ(Items(same), Texts({"a", "b", "c", "d"}));
    same.RemoveAt(2, 9);
    same.Add("e");
    EXPECT_EQ(Items(same), Texts({"a", "b", "e"}));

    MStringList empty;
    empty.RemoveAt(0, 1);
    EXPECT_EQ(empty.GetSize(), 0);
}

TEST(MStringListSplit, PiecesAndReport) {
    MStringList list;
    std::string out;
    {
        CoutCapture capture;
        list.Split(MString("a,b,,c"), ',', 0, 0);
        out = capture.text();
    }
    EXPECT_EQ(Items(list), Texts({"a", "b", "", "c"}));
    EXPECT_EQ(out,
              "a\nplace = 0\nplace = 2\n"
              "b\nplace = 2\nplace = 4\n"
              "\nplace = 4\nplace = 5\n");

    MStringList trailing;
    {
        CoutCapture capture;
        trailing.Split(MString("a,b,"), ',', 0, 0);
    }
    EXPECT_EQ(Items(trailing), Texts({"a", "b"}));
    trailing.Add("t");
    EXPECT_EQ(trailing.GetSize(), 3);
}

TEST(MStringListSplit, StartIndexAndNoDelimiter) {
    MStringList list = Make({"x", "y"});
    std::string out;
    {
        CoutCapture capture;
        list.Split(MString("skip;p;q"), ';', 5, 1);
        list.Split(MString("whole"), ';', 0, 9);
        list.Split(MString(""), ';', 0, 0);
        list.Split(MString("a;b"), ';', 10, 0);
        out = capture.text();
    }
    EXPECT_EQ(Items(list), Texts({"x", "p", "q", "y", "", "", "", "", "", "whole"}));
    EXPECT_EQ(out, "p\nplace = 5\nplace = 7\n");

    // A start below 0 reads from the beginning; the delimiter is never part of a piece.
    MStringList negative;
    {
        CoutCapture capture;
        negative.Split(MString("a;b"), ';', -2, 0);
    }
    EXPECT_EQ(Items(negative), Texts({"a", "b"}));
}

TEST(MStringListDump, ListsNodesSizeAndEnds) {
    MStringList list = Make({"a", "bc"});
    const MStringListNode* first = NodeOf(list, 0);
    const MStringListNode* second = NodeOf(list, 1);
    std::string out;
    {
        CoutCapture capture;
        list.Dump();
        out = capture.text();
    }
    EXPECT_EQ(out, "Head = " + Ptr(first) + "\n" + "Index(0) a " + Ptr(second) + "\n" +
                       "Index(1) bc " + Ptr(nullptr) + "\n" + "Tail = " + Ptr(second) + "\n" +
                       "GetSize = 2\n");

    MStringList empty;
    CoutCapture capture;
    empty.Dump();
    EXPECT_EQ(capture.text(),
              "Head = " + Ptr(nullptr) + "\nTail = " + Ptr(nullptr) + "\nGetSize = 0\n");
}

TEST(MStringListLong, ManyElementsInsertAndFree) {
    MStringList list;
    list.InsertAt(20000, "x", 20000);
    EXPECT_EQ(list.GetSize(), 40000);
    EXPECT_TRUE(list.GetAt(19999).IsEmpty());
    EXPECT_EQ(Str(list.GetAt(39999)), "x");
    MStringList copy(list);
    list.RemoveAt(1, 39998);
    EXPECT_EQ(list.GetSize(), 2);
    EXPECT_EQ(copy.GetSize(), 40000);
}

}  // namespace
}  // namespace evoplug
