// What the model in fuzz/text_fuzz.cpp leaves out: numbers, case folding,
// KeepChars and ToInt, Dump and Split's report, the buffer and the character
// 0 where a text becomes a C string or is read from a stream, and arguments
// taken from the text itself or its own buffer (under the sanitizers, any
// read after a free shows).
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "support/stdout_capture.h"
#include "text/mstring.h"
#include "text/mstring_list.h"

namespace evoplug {
namespace {

using namespace std::string_literals;

std::string Str(MString copy) { return {copy.GetBuffer(), static_cast<size_t>(copy.GetLength())}; }
std::string Ptr(const void* p) { return (std::ostringstream() << p).str(); }
char* Own(MString& t) { return t.GetBuffer(); }

// Floats are cut to the precision of the text written to; a negative one
// gives only the digits of its fraction, and the whole part saturates.
// ToInt reads the digits from a position on, wrapping modulo 2^32.
TEST(MString, NumbersFollowThePrecisionSaturateAt2To31AndWrapWhenRead) {
    MString none, nine, added(".5"), kept("x"), target, digits("7a4294967306b2147483648c");
    none.SetPrecision(0), nine.SetPrecision(9), added.SetPrecision(1), kept.SetPrecision(5);
    nine.SetPrecision(10);  // refused
    MString copy(kept);
    target = kept;  // neither takes the precision
    none = 7.9, nine = 0.5f, added += 1.25f, copy = 1.5, target = 1.5, kept = 2147483648.0f;
    std::string got;
    for (double x : {2.5, 0.005, 2.675, 0.0 / 0.0, 2147483648.0, 2147483647.75, -2147483648.5})
        got += Str(MString(x)) + "|";
    for (const MString& s : {none, nine, added, copy, target, kept}) got += Str(s) + "|";
    digits += MString('9', 20) + "d" + MString('1', 1 << 20);  // walks are iterative, not recursive
    for (int at : {-1, 0, 1, 2, 13, 24, 45, 1 << 30}) got += std::to_string(digits.ToInt(at)) + "|";
    EXPECT_EQ(got,
              "2.500|.005|2.674|.000|2147483647.000|2147483647.750|.500|7|.500000000|.51.2|1.500|"
              "1.500|2147483647.00000|0|7|0|10|-2147483648|1661992959|-954437177|0|");
}

// Only ASCII letters change case; each blank is trimmed in its own pass.
// KeepChars takes a character once per occurrence in the set, and nothing
// once the result is empty. A partial match falls back without losing a
// start, and matches overlap.
TEST(MString, CaseBlanksFilteringAndSearchEdges) {
    MString up("Ab\xF6\xD6z9[{"), down(up), banana("banana split"), blanks(" \t\nx\n\t ");
    up.MakeUpper(), down.MakeLower(), blanks.TrimRight(), blanks.TrimLeft();
    EXPECT_EQ(Str(up) + Str(down) + Str(blanks), "AB\xF6\xD6Z9[{ab\xF6\xD6z9[{x");
    EXPECT_EQ(up.CompareNoCase("aB\xF6\xD6z9[{"), 0);
    EXPECT_EQ(MString("[").CompareNoCase("{"), -1);
    EXPECT_EQ(MString("ABC").CompareNoCase("abd"), -3);
    EXPECT_EQ(Str(banana.KeepChars("ban")) + "|" + Str(banana.KeepChars("bba")) + "|" +
                  Str(banana.KeepChars("an")) + "|" + Str(banana.DropChars("an")),
              "banana|bbaaa||b split");
    EXPECT_EQ(MString("aabaa").Find("aaa", 0), -1);
    EXPECT_EQ(MString("aaa").ReverseFind("aa"), 1);
}

// Split reports each piece, as a C string, between its places.
TEST(MString, DumpAndSplitReportNodesEndsAndPlaces) {
    MString s("ab"), zero = "a" + MString('\0', 1) + "b,,c";
    MStringList l(MString("a"));
    l.Add("bc");
    auto node = [&s](int i) { return Ptr(s[i] - offsetof(MStringNode, ch)); };
    auto item = [&l](int i) {
        return Ptr(reinterpret_cast<char*>(l.ElementAt(i)) - offsetof(MStringListNode, value));
    };
    testing::CoutCapture out;
    s.Dump(), l.Dump();
    EXPECT_EQ(out.text(), "Head = " + node(0) + "\na " + node(1) + "\nb " + Ptr(nullptr) +
                              "\nTail = " + node(1) + "\nHead = " + item(0) + "\nIndex(0) a " +
                              item(1) + "\nIndex(1) bc " + Ptr(nullptr) + "\nTail = " + item(1) +
                              "\nGetSize = 2\n");
    out.clear();
    l.Split(*l.ElementAt(l.Add(zero)), ',', 0, 0);  // a text of the list itself
    l.Split(MString("skip;p;q"), ';', 5, 0);
    EXPECT_EQ(out.text(),
              "a\nplace = 0\nplace = 4\n\nplace = 4\nplace = 5\np\nplace = 5\nplace = 7\n");
    EXPECT_EQ(Str(l.GetAt(2)) + "|" + Str(l.GetAt(3)) + "|" + Str(l.GetAt(4)), "a\0b||c"s);
    MStringList copy;
    copy = l;  // what is added then goes behind the copied texts
    EXPECT_EQ(copy.Add("z"), l.GetUpperBound() + 1);
    EXPECT_EQ((l.InsertAt(1 << 20, "x", 1), l.GetUpperBound()), 1 << 20);  // a gap of 2^20 nodes
}

// Where a text becomes a C string its first 0 ends it; from a stream, a 0 is
// dropped as += drops it. GetBuffer holds the characters and 0s up to the
// length asked for and one more; ReleaseBuffer takes that back up to a 0, but
// never past the length, and frees the buffer.
TEST(MString, TheCharacter0EndsATextOnlyAsACString) {
    MString t = "12" + MString('\0', 1) + "34", held(t), read("x"), first, rest, blank("x");
    const std::string buffer(held.GetBuffer(7), 8);
    held.ReleaseBuffer(0);
    std::unique_ptr<char[]> whole(t.ToCString(0)), after(t.ToCString(3));
    std::istringstream in(" a\t\0b\n"s), lines("a\0b\ncd"s);
    in >> read, ReadLine(lines, first), ReadLine(lines, rest), blank.Format(nullptr);
    EXPECT_EQ((std::ostringstream() << t << '|' << read << first << rest << blank).str() +
                  whole.get() + after.get() + Str(held) + std::to_string(t.ToInt(0)),
              "12|x a\tb\nab\ncd12341212");
    EXPECT_EQ(buffer, "12\00034\0\0\0"s);
    EXPECT_EQ(t.Left(2).Compare(t.Left(3)), -3);
    std::string(4, 'q').copy(held.GetBuffer(3), 4);  // over the last 0 too
    EXPECT_EQ(Str(held.ReleaseBuffer(0)), "qqq");
    EXPECT_FALSE(t.ToCString(5) || held.PeekBuffer());
}

// Each row edits t with t itself or a C string in its own buffer as
// argument. An edit that releases characters frees the buffer (1 where a row
// shows it), so it must read the argument first.
TEST(MString, ArgumentsFromTheObjectItselfOrItsOwnBuffer) {
    // clang-format off
#define ROW(start, edit, result, want) {start, [](MString& t) -> int { return edit; }, result, want}
    const std::tuple<const char*, int (*)(MString&), int, std::string> rows[] = {
        ROW("abXab", (t.Trim(Own(t) + 3), !t.PeekBuffer()), 1, "X"),
        ROW("ababXabab", (t.TrimLeft(Own(t) + 7), t.TrimRight(Own(t) + 3), !t.PeekBuffer()), 1, "X"),
        ROW("abab", (Own(t), t.Replace(t.PeekBuffer() + 3, t.PeekBuffer())), 2, "aababaabab"),
        ROW("abcab", t.Find(Own(t) + 4, 0), 1, "abcab"),
        ROW("abcab", t.Compare(Own(t) + 1) * 10 + t.Compare(t), -10, "abcab"),
        ROW("AbA", t.CompareNoCase(Own(t) + 2), 3, "AbA"),
        ROW("abc", t.Insert(1, Own(t) + 1), 5, "abcbc"),
        ROW("ab", (t += t, t += Own(t) + 1, 0), 0, "ababbab"),
        ROW("abc", (t = Own(t) + 1, 0), 0, "bc"),
        ROW("baxb", (t = t.KeepChars(Own(t) + 2), 0), 0, "bxb"),
        ROW("baxb", (t = t.DropChars(Own(t) + 3), 0), 0, "ax"),
    };
    // clang-format on
    for (const auto& [start, edit, result, want] : rows) {
        MString t(start);
        EXPECT_EQ(edit(t), result) << want;
        EXPECT_EQ(Str(t), want);
    }
}

}  // namespace
}  // namespace evoplug
