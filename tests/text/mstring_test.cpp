// Construction, assignment, appending, number text, access, streams and dump.
#include "text/mstring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <sstream>

#include "text_test_util.h"

namespace evoplug {
namespace {

using testing::CoutCapture;
using testing::Ptr;
using testing::Str;

TEST(MStringConstruct, IntegersGivePlainDigitsAndNothingForZeroOrBelow) {
    EXPECT_TRUE(MString(0).IsEmpty());
    EXPECT_TRUE(MString(-5).IsEmpty());
    EXPECT_EQ(Str(MString(7)), "7");
    EXPECT_EQ(Str(MString(1234)), "1234");
    EXPECT_EQ(Str(MString(1000000000)), "1000000000");
    EXPECT_EQ(Str(MString(2147483647)), "2147483647");
    EXPECT_EQ(Str(MString(10)), "10");
}

TEST(MStringConstruct, CStringsCharactersAndCounts) {
    const MString fromNull(static_cast<const char*>(nullptr));
    EXPECT_EQ(fromNull.GetLength(), 0);
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_TRUE(MString("").IsEmpty());
    EXPECT_EQ(Str(MString("Hallo, Sch\xF6nheit")), "Hallo, Sch\xF6nheit");
    EXPECT_EQ(Str(MString('x', 3)), "xxx");
    EXPECT_TRUE(MString('x', 0).IsEmpty());
    EXPECT_TRUE(MString('x', -2).IsEmpty());
    EXPECT_EQ(Str(MString("abcdef", 3)), "abc");
    EXPECT_EQ(Str(MString("ab", 5)), "ab");
    EXPECT_TRUE(MString("ab", 0).IsEmpty());
    EXPECT_TRUE(MString(static_cast<const char*>(nullptr), 4).IsEmpty());
}

TEST(MStringConstruct, FloatingValuesTruncateToPrecisionDigits) {
    EXPECT_EQ(Str(MString(2.5)), "2.500");
    EXPECT_EQ(Str(MString(0.005)), ".005");
    EXPECT_EQ(Str(MString(0.5)), ".500");
    EXPECT_EQ(Str(MString(2.675)), "2.674");
    EXPECT_EQ(Str(MString(12.0)), "12.000");

    MString s;
    s.SetPrecision(0);
    s = 7.9;
    EXPECT_EQ(Str(s), "7");
    s.SetPrecision(9);
    s = 0.5f;
    EXPECT_EQ(Str(s), ".500000000");
    s.SetPrecision(2);
    s += 1.25f;
    EXPECT_EQ(Str(s), ".5000000001.25");
}

TEST(MStringConstruct, FloatingValuesOutsideTheIntegerRangeStayDefined) {
    // Negative values have no integer digits; the fraction is its magnitude.
    EXPECT_EQ(Str(MString(-2.5)), ".500");
    EXPECT_EQ(Str(MString(1e12)), "2147483647.000");
    EXPECT_EQ(Str(MString(std::numeric_limits<double>::quiet_NaN())), ".000");
    EXPECT_EQ(Str(MString(std::numeric_limits<double>::infinity())), "2147483647.000");
}

TEST(MStringAssign, CopiesCharactersButNotPrecision) {
    MString source("abc");
    source.SetPrecision(5);
    MString copy(source);
    EXPECT_EQ(copy.GetPrecision(), 3);
    EXPECT_EQ(Str(copy), "abc");

    MString target;
    target.SetPrecision(7);
    target = source;
    EXPECT_EQ(target.GetPrecision(), 7);
    EXPECT_EQ(Str(target), "abc");

    // No shared nodes: changing one leaves the other alone.
    target.SetAt(0, 'X');
    EXPECT_EQ(Str(source), "abc");
    target += "d";
    EXPECT_EQ(Str(source), "abc");

    target = target;
    EXPECT_EQ(Str(target), "Xbcd");
}

TEST(MStringAssign, EachFormReplacesTheText) {
    MString s("old");
    s = "new";
    EXPECT_EQ(Str(s), "new");
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = 'q';
    EXPECT_EQ(Str(s), "q");
    s = 42;
    EXPECT_EQ(Str(s), "42");
    s = 0;
    EXPECT_TRUE(s.IsEmpty());
    s = 1.5;
    EXPECT_EQ(Str(s), "1.500");
    // A NUL character would break every C-string copy: it gives the empty text.
    s = '\0';
    EXPECT_TRUE(s.IsEmpty());
}

TEST(MStringAssign, FromOwnBufferIsSafe) {
    MString s("abc");
    s.GetBuffer();
    s = s.PeekBuffer();
    EXPECT_EQ(Str(s), "abc");
    EXPECT_EQ(s.PeekBuffer(), nullptr);
}

TEST(MStringAppend, TextsCharactersAndNumbers) {
    MString s("ab");
    s += '\0';
    EXPECT_EQ(Str(s), "ab");
    s += MString();
    s += static_cast<const char*>(nullptr);
    s += "";
    EXPECT_EQ(Str(s), "ab");
    s += s;
    EXPECT_EQ(Str(s), "abab");
    EXPECT_EQ(s.GetLength(), 4);

    MString message("Auswahl");
    message += 0;
    EXPECT_EQ(Str(message), "Auswahl");
    message += -3;
    message += "  ";
    message += 12;
    EXPECT_EQ(Str(message), "Auswahl  12");

    MString empty;
    empty += 'z';
    empty += 'y';
    EXPECT_EQ(Str(empty), "zy");
}

TEST(MStringAppend, SevenConcatenationForms) {
    const MString ab("ab");
    EXPECT_EQ(Str(ab + MString("cd")), "abcd");
    EXPECT_EQ(Str(ab + 'c'), "abc");
    EXPECT_EQ(Str('x' + ab), "xab");
    EXPECT_EQ(Str(ab + "cd"), "abcd");
    EXPECT_EQ(Str("cd" + ab), "cdab");
    EXPECT_EQ(Str(15 + ab), "15ab");
    EXPECT_EQ(Str(0 + ab), "ab");
    EXPECT_EQ(Str(ab + 15), "ab15");
    EXPECT_EQ(Str(ab + -1), "ab");
    EXPECT_EQ(Str(ab), "ab");
}

TEST(MStringCString, CopiesFromStartAndOwnsNothing) {
    EXPECT_EQ(MString().ToCString(0), nullptr);
    MString s("abc");
    std::unique_ptr<char[]> all(s.ToCString(0));
    ASSERT_NE(all, nullptr);
    EXPECT_STREQ(all.get(), "abc");
    std::unique_ptr<char[]> tailPart(s.ToCString(2));
    ASSERT_NE(tailPart, nullptr);
    EXPECT_STREQ(tailPart.get(), "c");
    EXPECT_EQ(s.ToCString(3), nullptr);
    EXPECT_EQ(s.ToCString(-1), nullptr);
    s.SetAt(0, 'Z');
    s += "def";
    EXPECT_STREQ(all.get(), "abc");
}

TEST(MStringAccess, PositionsOutsideTheTextAreHarmless) {
    MString s("abc");
    EXPECT_EQ(s.GetAt(0), 'a');
    EXPECT_EQ(s.GetAt(2), 'c');
    EXPECT_EQ(s.GetAt(-1), '\0');
    EXPECT_EQ(s.GetAt(3), '\0');
    const MString& view = s;
    EXPECT_EQ(view[1], 'b');
    EXPECT_EQ(view[3], '\0');

    char* p = s[1];
    ASSERT_NE(p, nullptr);
    *p = 'B';
    EXPECT_EQ(Str(s), "aBc");
    EXPECT_EQ(s[3], nullptr);
    EXPECT_EQ(s[-1], nullptr);

    s.SetAt(3, 'x');
    s.SetAt(-1, 'x');
    EXPECT_EQ(Str(s), "aBc");
    s.SetAt(2, 'C');
    EXPECT_EQ(Str(s), "aBC");
}

TEST(MStringAccess, PrecisionAcceptsAtMostNine) {
    MString s;
    EXPECT_EQ(s.GetPrecision(), 3);
    s.SetPrecision(10);
    EXPECT_EQ(s.GetPrecision(), 3);
    s.SetPrecision(9);
    EXPECT_EQ(s.GetPrecision(), 9);
    s.Clear();
    EXPECT_EQ(s.GetPrecision(), 9);
}

TEST(MStringReverse, RelinksAndMovesTheTail) {
    MString s("abc");
    s.Reverse();
    EXPECT_EQ(Str(s), "cba");
    s += 'd';
    EXPECT_EQ(Str(s), "cbad");

    MString one("x");
    one.Reverse();
    one += 'y';
    EXPECT_EQ(Str(one), "xy");
    MString none;
    none.Reverse();
    none += 'q';
    EXPECT_EQ(Str(none), "q");
}

TEST(MStringInfo, VersionAndNotice) {
    EXPECT_EQ(Str(MString::GetVersion()), "0.61");
    const MString notice = MString::GetNotice();
    EXPECT_GE(notice.Find('\n', 0), 0);
    EXPECT_NE(notice.Find("0.61", 0), -1);
}

TEST(MStringDump, ListsEveryNodeAndBothEnds) {
    MString s("ab");
    auto node = [&s](int i) {
        return reinterpret_cast<const MStringNode*>(s[i] - offsetof(MStringNode, ch));
    };
    const MStringNode* first = node(0);
    const MStringNode* second = node(1);
    std::string out;
    {
        CoutCapture capture;
        s.Dump();
        out = capture.text();
    }
    const std::string expected = "Head = " + Ptr(first) + "\n" + "a " + Ptr(second) + "\n" + "b " +
                                 Ptr(nullptr) + "\n" + "Tail = " + Ptr(second) + "\n";
    EXPECT_EQ(out, expected);

    MString empty;
    CoutCapture capture;
    empty.Dump();
    EXPECT_EQ(capture.text(), "Head = " + Ptr(nullptr) + "\nTail = " + Ptr(nullptr) + "\n");
}

TEST(MStringStream, WritesReadsAndReadsLines) {
    std::ostringstream out;
    out << MString() << MString("a b") << MString() << '|';
    EXPECT_EQ(out.str(), "a b|");

    std::istringstream in("ab");
    MString s("x");
    in >> s;
    EXPECT_EQ(Str(s), "xab");

    std::istringstream lines("ab\ncd");
    MString line;
    ReadLine(lines, line);
    EXPECT_EQ(Str(line), "ab\n");
    MString rest;
    ReadLine(lines, rest);
    EXPECT_EQ(Str(rest), "cd");
    MString nothing;
    ReadLine(lines, nothing);
    EXPECT_TRUE(nothing.IsEmpty());

    std::istringstream blanks(" \t\n");
    MString kept;
    blanks >> kept;
    EXPECT_EQ(Str(kept), " \t\n");
}

}  // namespace
}  // namespace evoplug
