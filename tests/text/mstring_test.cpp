// MString: values, edits, comparison, search, Format, buffer, dump, streams, long texts.
#include "text/mstring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "text/mstring_list.h"
#include "text_test_util.h"

namespace evoplug {
namespace {

using testing::CheckAll;
using testing::CoutCapture;
using testing::Ptr;
using testing::Str;
using testing::Text;
using namespace std::string_literals;

const char* const kNull = nullptr;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A C string cut out of t's own buffer: from `from`, ended by a NUL written
// after `n` characters (n < 0: the rest), and the same piece of a model.
const char* Own(MString& t, int from, int n) {
    char* buffer = t.GetBuffer();
    if (n >= 0) buffer[from + n] = '\0';
    return buffer + from;
}
std::string Piece(const std::string& t, int from, int n) {
    return t.substr(static_cast<size_t>(from), n < 0 ? std::string::npos : static_cast<size_t>(n));
}

// Models of the documented behaviour on std::string.
int Pos(size_t p) { return p == std::string::npos ? -1 : static_cast<int>(p); }
template <typename C>
int Len(const C& c) {
    return static_cast<int>(c.size());
}
int Cmp(const std::string& a, const std::string& b) {
    for (size_t i = 0;; ++i) {
        if (i == a.size()) return i == b.size() ? 0 : -static_cast<int>(i + 1);
        if (i == b.size()) return Len(a);
        const auto x = static_cast<signed char>(a[i]), y = static_cast<signed char>(b[i]);
        if (x != y) return x > y ? static_cast<int>(i + 1) : -static_cast<int>(i + 1);
    }
}
void TrimL(std::string& s, const std::string& w) {
    while (!w.empty() && s.compare(0, w.size(), w) == 0) s.erase(0, w.size());
}
void TrimR(std::string& s, const std::string& w) {
    while (!w.empty() && s.size() >= w.size() && s.compare(s.size() - w.size(), w.size(), w) == 0)
        s.erase(s.size() - w.size());
}
void Trim(std::string& s, const std::string& w) { TrimL(s, w), TrimR(s, w); }
int ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    int n = 0;
    for (size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += to.size(), ++n)
        s.replace(p, from.size(), to);
    return n;
}
std::string Without(std::string s, const std::string& set) {
    s.erase(std::remove_if(s.begin(), s.end(),
                           [&set](char c) { return set.find(c) != std::string::npos; }),
            s.end());
    return s;
}

TEST(MString, ValuesOfConstructorsConcatenationAndSubstrings) {
    const MString ab("ab"), s("abcdef"), banana("banana split");
    CheckAll(
        {// Numbers: nothing for 0 and below; floats truncated to the precision,
         // negatives give only the fraction's magnitude, out of range saturates.
         VAL(MString(0), ""), VAL(MString(-5), ""), VAL(MString(10), "10"),
         VAL(MString(2147483647), "2147483647"), VAL(MString(2.5), "2.500"),
         VAL(MString(0.005), ".005"), VAL(MString(2.675), "2.674"), VAL(MString(12.0), "12.000"),
         VAL(MString(-2.5), ".500"), VAL(MString(1e12), "2147483647.000"),
         VAL(MString(kNaN), ".000"), VAL(MString(kInf), "2147483647.000"),
         // A null C string is the empty text.
         VAL(MString(kNull), ""), VAL(MString(kNull, 4), ""), VAL(MString("abcdef", 3), "abc"),
         VAL(MString("ab", 5), "ab"), VAL(MString("ab", 0), ""), VAL(MString('x', 3), "xxx"),
         VAL(MString('x', -2), ""), VAL(ab + MString("cd"), "abcd"), VAL(ab + 'c', "abc"),
         VAL('x' + ab, "xab"), VAL('\0' + ab, std::string("\0ab", 3)), VAL(ab + "cd", "abcd"),
         VAL("cd" + ab, "cdab"), VAL(15 + ab, "15ab"), VAL(0 + ab, "ab"), VAL(ab + 15, "ab15"),
         VAL(ab + -1, "ab"), VAL(ab + kNull, "ab"), VAL(s.Mid(2), "cdef"), VAL(s.Mid(-3), "abcdef"),
         VAL(s.Mid(6), ""), VAL(s.Mid(1, 3), "bcd"), VAL(s.Mid(-1, 2), "ab"),
         VAL(s.Mid(4, 10), "ef"), VAL(s.Mid(1, 0), ""), VAL(s.Mid(9, 2), ""), VAL(s.Left(2), "ab"),
         VAL(s.Left(99), "abcdef"), VAL(s.Left(0), ""), VAL(s.Right(2), "ef"),
         VAL(s.Right(99), "abcdef"), VAL(s.Right(0), ""), VAL(s.Right(-1), ""),
         VAL(banana.DropChars("an"), "b split"), VAL(banana.DropChars(kNull), "banana split"),
         // KeepChars takes a character once per occurrence in the set, and
         // nothing at all when the first character is not in it.
         VAL(banana.KeepChars("ban"), "banana"), VAL(banana.KeepChars("bas"), "baaas"),
         VAL(banana.KeepChars("bba"), "bbaaa"), VAL(banana.KeepChars("an"), ""),
         VAL(banana.KeepChars(kNull), "")});
}

TEST(MString, EditsGiveTheirResultAndKeepTheTail) {
    CheckAll(
        {EDIT("old", (s = "new", 0), "0:new|"), EDIT("old", (s = kNull, 0), "0:|"),
         EDIT("old", (s = 'q', 0), "0:q|"), EDIT("old", (s = '\0', 0), std::string("0:\0|", 4)),
         EDIT("old", (s = 42, 0), "0:42|"), EDIT("old", (s = 0, 0), "0:|"),
         EDIT("old", (s = 1.5, 0), "0:1.500|"), EDIT("", (s.SetPrecision(0), s = 7.9, 0), "0:7|"),
         EDIT("", (s.SetPrecision(9), s = 0.5f, 0), "0:.500000000|"),
         EDIT(".5", (s.SetPrecision(2), s += 1.25f, 0), "0:.51.25|"),
         EDIT("ab", (s += '\0', s += kNull, s += MString(), 0), "0:ab|"),
         EDIT("x", (s += -3, s += 0, s += 12, 0), "0:x12|"),
         // A 0 in the chain is a character like any other.
         EDIT("a-b-", s.Replace('-', '\0'), "2:a\0b\0|"s),
         EDIT("a-b-", (s.Replace('-', '\0'), s.Find('\0', 2)), "3:a\0b\0|"s),
         EDIT("a-b-", (s.Replace('-', '\0'), s.ReverseFind('\0')), "3:a\0b\0|"s),
         EDIT("a-b-", (s.Replace('-', '\0'), s.Remove('\0')), "2:ab|"),
         EDIT("--a-", (s.Replace('-', '\0'), s.Trim('\0'), s.GetLength()), "1:a|"),
         EDIT("abc", (s.SetAt(1, '\0'), s.Insert(0, '\0'), s = s.Mid(1, 2), s += s, s.GetLength()),
              "4:a\0a\0|"s),
         EDIT("abc", (s.Reverse(), 0), "0:cba|"), EDIT("x", (s.Reverse(), 0), "0:x|"),
         EDIT("", (s.Reverse(), 0), "0:|"),
         EDIT("abc", (s.SetAt(1, 'B'), s.SetAt(3, 'x'), s.SetAt(-1, 'x'), 0), "0:aBc|"),
         // Only ASCII letters change case.
         EDIT("Ab\xF6\xD6z9[", (s.MakeUpper(), 0), "0:AB\xF6\xD6Z9[|"),
         EDIT("Ab\xF6\xD6Z9{", (s.MakeLower(), 0), "0:ab\xF6\xD6z9{|"),
         EDIT("banana", s.Replace('a', 'o'), "3:bonono|"),
         // Replacing texts goes on behind each inserted text.
         EDIT("aaa", s.Replace("a", "aa"), "3:aaaaaa|"),
         EDIT("abcabc", s.Replace("bc", "X"), "2:aXaX|"),
         EDIT("aaaa", s.Replace("aa", "b"), "2:bb|"), EDIT("ab", s.Replace("a", "ba"), "1:bab|"),
         EDIT("aab aab", s.Replace("aab", "-"), "2:- -|"),
         EDIT("abc", s.Replace("", "x"), "0:abc|"), EDIT("abc", s.Replace("b", ""), "0:abc|"),
         EDIT("abc", s.Replace(kNull, "x"), "0:abc|"), EDIT("abc", s.Replace("b", kNull), "0:abc|"),
         EDIT("", s.Replace("a", "b"), "0:|"), EDIT("banana", s.Remove('a'), "3:bnn|"),
         EDIT("aaa", s.Remove('a'), "3:|"), EDIT("ab", s.Insert(0, 'x'), "3:xab|"),
         EDIT("ab", s.Insert(1, '-'), "3:a-b|"), EDIT("ab", s.Insert(50, '!'), "3:ab!|"),
         EDIT("ab", s.Insert(-1, 'q'), "-1:ab|"), EDIT("", s.Insert(3, 'a'), "1:a|"),
         EDIT("ab", s.Insert(1, "XY"), "4:aXYb|"), EDIT("ab", s.Insert(2, "cd"), "4:abcd|"),
         EDIT("ab", s.Insert(0, "<"), "3:<ab|"), EDIT("ab", s.Insert(-2, "z"), "-1:ab|"),
         EDIT("ab", s.Insert(1, kNull), "2:ab|"), EDIT("", s.Insert(5, "hi"), "2:hi|"),
         EDIT("abc", s.Delete(0, 2), "1:c|"), EDIT("abc", s.Delete(1, 5), "1:a|"),
         EDIT("abc", s.Delete(3, 1), "3:abc|"), EDIT("abc", s.Delete(-1, 1), "3:abc|"),
         EDIT("abc", s.Delete(1, 0), "3:abc|"), EDIT("abc", s.Delete(0, 3), "0:|"),
         EDIT("", s.Delete(0, 1), "0:|"),
         // Trimming blanks takes one pass per character: a space behind the
         // line feed stays. A text is trimmed only in whole copies.
         EDIT("   ", (s.TrimRight(' '), 0), "0:|"), EDIT(" \t x", (s.TrimLeft(), 0), "0: x|"),
         EDIT("x \n\t ", (s.TrimRight(), 0), "0:x |"), EDIT("--a-b--", (s.Trim('-'), 0), "0:a-b|"),
         EDIT("\t word \t", (s.Trim(), 0), "0: word |"),
         EDIT("ababxab", (s.TrimLeft("ab"), 0), "0:xab|"),
         EDIT("xabab", (s.TrimRight("ab"), 0), "0:x|"), EDIT("aaa", (s.TrimRight("aa"), 0), "0:a|"),
         EDIT("ababa", (s.TrimRight("aba"), 0), "0:ab|"),
         EDIT("abab", (s.TrimRight("ab"), 0), "0:|"), EDIT("aab", (s.TrimLeft("ab"), 0), "0:aab|"),
         EDIT("<>x<><>", (s.Trim("<>"), 0), "0:x|"),
         EDIT("abc", (s.TrimLeft(""), s.TrimRight(kNull), s.Trim(kNull), 0), "0:abc|"),
         EDIT("", (s.TrimRight("a"), s.TrimRight('a'), s.Trim(), 0), "0:|")});
}

TEST(MString, ComparisonSearchAndParsingResults) {
    const MString abc("abcabc");
    CheckAll(
        {// 0 when equal, else the sign of the order and the 1-based position
         // that decided it; a proper prefix of this text gives its length.
         NUM(MString("ab").Compare(MString("ab")), 0), NUM(MString().Compare(MString()), 0),
         NUM(MString("abc").Compare(MString("ab")), 3),
         NUM(MString("ab").Compare(MString("abc")), -3), NUM(MString("abd").Compare("abc"), 3),
         NUM(MString("abc").Compare("abd"), -3), NUM(MString("abcdef").Compare("abc"), 6),
         NUM(MString("b").Compare("abc"), 1), NUM(MString().Compare("a"), -1),
         // Bytes above 127 order below ASCII, as signed chars do.
         NUM(MString("\xF6").Compare("a"), -1), NUM(MString("a").Compare(MString("\xF6")), 1),
         NUM(MString("x\xF6").Compare("xa"), -2), NUM(MString().Compare(kNull), 0),
         NUM(MString("ab").Compare(kNull), 2), NUM(MString().CompareNoCase(kNull), 0),
         NUM(MString("HeLLo").CompareNoCase("hello"), 0),
         NUM(MString("ABC").CompareNoCase("abd"), -3), NUM(MString("abc").CompareNoCase("AB"), 3),
         NUM(MString("\xD6").CompareNoCase("\xF6"), -1), NUM(MString("[").CompareNoCase("{"), -1),
         NUM(abc.Find('c', 0), 2), NUM(abc.Find('c', 3), 5), NUM(abc.Find('a', -4), 0),
         NUM(abc.Find('a', 6), -1), NUM(MString().Find('a', 0), -1), NUM(abc.Find("bc", 0), 1),
         NUM(abc.Find("bc", 2), 4), NUM(abc.Find("bc", -1), 1), NUM(abc.Find("bc", 5), -1),
         NUM(MString("ab").Find("bc", 0), -1), NUM(abc.Find("", 0), -1),
         NUM(abc.Find(kNull, 0), -1), NUM(MString().Find("a", 0), -1),
         NUM(MString("aaab").Find("aab", 0), 1), NUM(MString("abababc").Find("ababc", 0), 2),
         NUM(abc.ReverseFind('a'), 3), NUM(abc.ReverseFind('z'), -1), NUM(abc.ReverseFind("bc"), 4),
         NUM(abc.ReverseFind("abcabc"), 0), NUM(abc.ReverseFind("abcabcd"), -1),
         NUM(abc.ReverseFind(""), -1), NUM(abc.ReverseFind(kNull), -1),
         NUM(MString("aaaa").ReverseFind("aa"), 2), NUM(MString("abab").ReverseFind("aba"), 0),
         NUM(abc.WhichOf("xyb"), 2), NUM(abc.WhichOf("cab"), 0), NUM(abc.WhichOf("xyz"), -1),
         NUM(abc.WhichOf(kNull), -1), NUM(MString().WhichOf("a"), -1),
         // ToInt reads the digit run from `start`, wrapping modulo 2^32.
         NUM(MString("123abc").ToInt(0), 123), NUM(MString("-5").ToInt(0), 0),
         NUM(MString(" 5").ToInt(0), 0), NUM(MString("abc123").ToInt(4), 23),
         NUM(MString("123").ToInt(-1), 0), NUM(MString("123").ToInt(3), 0),
         NUM(MString("007").ToInt(0), 7), NUM(MString("2147483647").ToInt(0), 2147483647),
         NUM(MString("2147483648").ToInt(0), -2147483647 - 1),
         NUM(MString("4294967297").ToInt(0), 1),
         NUM(MString("99999999999999999999").ToInt(0), 1661992959)});
}

// Compare, CompareNoCase and every operator against the model, for texts
// and C strings: a 0 is a character of a text but ends a C string.
TEST(MString, ComparisonOfTextsAndCStringsHoldingAnyCharacter) {
    auto results = [](const auto& x, const auto& y) {
        return std::vector<bool>{x == y, x != y, (x < y), (x > y), x <= y, x >= y};
    };
    auto lower = [](std::string s) {
        for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return s;
    };
    const std::pair<std::string, std::string> pairs[] = {
        {"ab", "abc"},    {"ab", "ab"},     {"\xF6", "a"},      {"aB", "Ab"},
        {"a", "a\0"s},    {"a\0"s, "a\0"s}, {"a\0b"s, "a\0c"s}, {"a\0b"s, "a"},
        {"\0"s, "\xF6"s}, {"A\0"s, "ab"},   {"\0a"s, "\0A"s},   {"", "\0"s}};
    for (const auto& [x, y] : pairs) {
        SCOPED_TRACE(::testing::PrintToString(x) + " vs " + ::testing::PrintToString(y));
        const MString a = Text(x), b = Text(y);
        const std::string xc = x.c_str(), yc = y.c_str();
        EXPECT_EQ(a.Compare(b), Cmp(x, y));
        EXPECT_EQ(a.Compare(y.c_str()), Cmp(x, yc));
        EXPECT_EQ(a.CompareNoCase(y.c_str()), Cmp(lower(x), lower(yc)));
        EXPECT_EQ(results(a, b), results(Cmp(x, y), 0));
        EXPECT_EQ(results(a, y.c_str()), results(Cmp(x, yc), 0));
        EXPECT_EQ(results(x.c_str(), b), results(Cmp(xc, y), 0));
    }
}

TEST(MString, CopiesShareNothingAndPrecisionStaysWithTheTarget) {
    MString source("abc");
    source.SetPrecision(5);
    MString copy(source), target;
    target.SetPrecision(7);
    target = source;
    target.SetPrecision(10);  // above 9 is refused
    EXPECT_EQ(copy.GetPrecision(), 3);
    EXPECT_EQ(target.GetPrecision(), 7);
    target.SetAt(0, 'X');
    copy += "d";
    EXPECT_EQ(Str(source) + Str(target) + Str(copy), "abcXbcabcd");
}

TEST(MString, PositionsOutsideTheTextAreHarmless) {
    MString s("abc");
    const MString& view = s;
    EXPECT_EQ(std::string({s.GetAt(0), view[2], s.GetAt(-1), s.GetAt(3), view[3]}),
              std::string("ac\0\0\0", 5));
    EXPECT_EQ(s[3], nullptr);
    EXPECT_EQ(s[-1], nullptr);
    *s[1] = 'B';
    EXPECT_EQ(s.ToCString(3), nullptr);
    EXPECT_EQ(s.ToCString(-1), nullptr);
    EXPECT_EQ(MString().ToCString(0), nullptr);
    std::unique_ptr<char[]> all(s.ToCString(0)), last(s.ToCString(2));
    s.SetAt(0, 'Z');  // the copies are the caller's own
    EXPECT_STREQ(all.get(), "aBc");
    EXPECT_STREQ(last.get(), "c");
}

TEST(MString, FormatFollowsPrintfAndCutsAt1999) {
    MString s("old");
    s.SetPrecision(5);
    s.Format("%d-%s-%03d", 5, "x", 7);
    EXPECT_EQ(Str(s), "5-x-007");
    EXPECT_EQ(s.GetPrecision(), 5);
    s.Format("%s", std::string(3000, 'w').c_str());
    EXPECT_TRUE(s == std::string(1999, 'w').c_str());
    s.Format(kNull);
    EXPECT_TRUE(s.IsEmpty());
}

// Each row edits a list whose element 0 is `t`, with t itself, another
// element or a C string in t's own buffer as argument, and the model makes the
// same edit on std::string copies. A model row must not use t after growing l.
TEST(MString, ArgumentsFromTheObjectItselfOrItsOwnBuffer) {
    using Texts = std::vector<std::string>;
    struct Row {
        const char* what;
        std::function<int(MStringList&, MString&)> edit;
        std::function<int(Texts&, std::string&)> model;
        Texts start;
    };
    // clang-format off
#define ROW(edit, model, ...) {#edit, [](MStringList& l, MString& t) { return (void)l, (void)t, (edit); }, \
                               [](Texts& l, std::string& t) { return (void)l, (void)t, (model); }, {__VA_ARGS__}}
    const Row rows[] = {
        // The left half of Trim frees the buffer the right half reads.
        ROW((t.Trim(Own(t, 0, 2)), 0), (Trim(t, Piece(t, 0, 2)), 0), "abXab"),
        ROW((t.Trim(Own(t, 0, -1)), 0), (Trim(t, Piece(t, 0, -1)), 0), "abab"),
        ROW((t.TrimLeft(Own(t, 2, 2)), 0), (TrimL(t, Piece(t, 2, 2)), 0), "ababXab"),
        ROW((t.TrimRight(Own(t, 3, -1)), 0), (TrimR(t, Piece(t, 3, -1)), 0), "Xabab"),
        ROW(t.Find(Own(t, 2, 2), 1), Pos(t.find(Piece(t, 2, 2), 1)), "abcabc"),
        ROW(t.ReverseFind(Own(t, 1, 2)), Pos(t.rfind(Piece(t, 1, 2))), "abab"),
        ROW(t.Compare(Own(t, 1, -1)), Cmp(t, Piece(t, 1, -1)), "aab"),
        ROW(t.CompareNoCase(Own(t, 0, 1)), Cmp(t, Piece(t, 0, 1)), "Ab"),
        ROW(t.Compare(t), Cmp(t, t), "ab"),
        ROW(t > Own(t, 0, 1), Cmp(t, Piece(t, 0, 1)) > 0, "ab"),
        ROW((t += t, t += Own(t, 1, -1), 0), (t += std::string(t), t += Piece(t, 1, -1), 0), "ab"),
        ROW(t.Insert(1, Own(t, 1, -1)), (t.insert(1, Piece(t, 1, -1)), Len(t)), "abc"),
        ROW((t = Own(t, 1, -1), 0), (t = Piece(t, 1, -1), 0), "abc"),
        ROW((t = MString(Own(t, 1, -1), 2), 0), (t = Piece(t, 1, 2), 0), "abcd"),
        ROW((t.GetBuffer(), t.Replace(t.PeekBuffer() + 3, t.PeekBuffer())),
            ReplaceAll(t, Piece(t, 3, -1), Piece(t, 0, -1)), "abab"),
        ROW((t.GetBuffer(), t.Format("%s+%s", t.PeekBuffer() + 1, t.PeekBuffer()), 0),
            (t = Piece(t, 1, -1) + "+" + t, 0), "me"),
        ROW((t = t.DropChars(Own(t, 2, -1)), 0), (t = Without(t, Piece(t, 2, -1)), 0), "abcb"),
        // KeepChars filters when the set has no repeats and holds the first character.
        ROW((t = t.KeepChars(Own(t, 2, -1)), 0), (t = Without(t, Without(t, Piece(t, 2, -1))), 0), "baxb"),
        ROW(t.WhichOf(Own(t, 2, -1)), Pos(Piece(t, 2, -1).find_first_of(t)), "abzc"),
        ROW((l.Split(t, ',', 0, 1), 0), (l.insert(l.begin() + 1, {t.substr(0, 1), t.substr(2)}), 0), "a,b", "x"),
        ROW((l.InsertAt(1, l), 0), (l.insert(l.begin() + 1, {l[0], l[1]}), 0), "x", "y"),
        ROW(l.Append(l), (l.insert(l.end(), {l[0], l[1]}), Len(l)), "x", "y"),
        ROW((l.InsertAt(0, *l.ElementAt(1), 2), 0), (l.insert(l.begin(), 2, std::string(l[1])), 0), "k", "l"),
        ROW((l.SetAt(0, t), l.SetAt(1, t), 0), (l[1] = t, 0), "a", "b"),
        ROW((l.SetAt(0, Own(t, 1, -1)), 0), (t = Piece(t, 1, -1), 0), "abc"),
        ROW((l.InsertAt(1, Own(t, 1, -1), 2), l.Add(t.PeekBuffer())),
            (l.insert(l.begin() + 1, 2, Piece(t, 1, -1)), l.push_back(std::string(l[0])), Len(l) - 1), "abc", "x")};
#undef ROW
    // clang-format on
    for (const Row& row : rows) {
        MStringList list;
        for (const std::string& text : row.start) list.Add(text.c_str());
        Texts model = row.start, got;
        CoutCapture quiet;  // Split reports its pieces
        EXPECT_EQ(row.edit(list, *list.ElementAt(0)), row.model(model, model[0])) << row.what;
        for (int i = 0; i < list.GetSize(); ++i) got.push_back(Str(list.GetAt(i)));
        EXPECT_EQ(got, model) << row.what;
    }
}

TEST(MString, BufferIsNeverReadPastItsLengthAndGoesWithReleasedCharacters) {
    MString s("abc");
    char* buffer = s.GetBuffer(10);
    EXPECT_EQ(std::string(buffer, 11), std::string("abc\0\0\0\0\0\0\0\0", 11));
    std::memset(buffer, 'q', 10);
    EXPECT_EQ(&s.ReleaseBuffer(-1), &s);
    EXPECT_EQ(Str(s), "qqqqqqqqqq");
    EXPECT_EQ(s.PeekBuffer(), nullptr);
    s.ReleaseBuffer(0);  // no buffer: nothing happens
    EXPECT_EQ(s.GetLength(), 10);

    MString t("abcd");
    char* small = t.GetBuffer(-5);
    EXPECT_STREQ(small, "abcd");
    std::memset(small, 'r', 5);  // the terminator too: the recorded length stops the read
    t.ReleaseBuffer(2);
    EXPECT_EQ(Str(t), "rrrr");

    // Keeping characters keeps the buffer; releasing any frees it.
    t.GetBuffer();
    t.Replace('r', 'R');
    EXPECT_NE(t.PeekBuffer(), nullptr);
    for (int (*release)(MString&) :
         {+[](MString& m) { return m.Delete(0, 1); }, +[](MString& m) { return m.Remove('R'); },
          +[](MString& m) { return (m.Clear(), 0); }}) {
        t = "RRR";
        t.GetBuffer();
        release(t);
        EXPECT_EQ(t.PeekBuffer(), nullptr);
    }
}

TEST(MString, DumpListsEveryNodeAndBothEnds) {
    MString s("ab"), empty;
    auto node = [&s](int i) {
        return reinterpret_cast<const MStringNode*>(s[i] - offsetof(MStringNode, ch));
    };
    CoutCapture capture;
    s.Dump();
    empty.Dump();
    EXPECT_EQ(capture.text(), "Head = " + Ptr(node(0)) + "\na " + Ptr(node(1)) + "\nb " +
                                  Ptr(nullptr) + "\nTail = " + Ptr(node(1)) +
                                  "\nHead = " + Ptr(nullptr) + "\nTail = " + Ptr(nullptr) + "\n");
}

// Where a text becomes a C string its first 0 ends it; a 0 byte read from a
// stream is dropped, as += drops it.
TEST(MString, StreamsAndCStringsEndAtTheCharacter0) {
    const MString t = Text(
        "12\0"
        "34"s);
    std::ostringstream out;
    out << MString() << MString("a b") << '|' << t << '|';
    std::unique_ptr<char[]> whole(t.ToCString(0)), after(t.ToCString(3));
    MString released(t);
    released.GetBuffer();
    released.ReleaseBuffer(-1);
    std::istringstream in(" a\t\0b\n"s), lines("a\0b\ncd"s);
    MString all("x"), first, rest, nothing;
    in >> all;
    ReadLine(lines, first);
    ReadLine(lines, rest);
    ReadLine(lines, nothing);
    CheckAll({{"out", out.str(), "a b|12|"},
              {"ToCString(0)", whole.get(), "12"},
              {"ToCString(3)", after.get(), "34"},
              {"ToInt(0)", std::to_string(t.ToInt(0)), "12"},
              {"ToInt(3)", std::to_string(t.ToInt(3)), "34"},
              {"ReleaseBuffer", Str(released), "12"},
              {"in >> all", Str(all), "x a\tb\n"},
              {"ReadLine", Str(first) + "|" + Str(rest) + "|" + Str(nothing), "ab\n|cd|"}});
}

TEST(MString, FiftyThousandCharactersThroughSearchEditAndTrim) {
    const int n = 50000;
    MString s('a', n);
    s += "needle";
    EXPECT_EQ(s.Find("needle", 0), n);
    EXPECT_EQ(s.ReverseFind("aa"), n - 2);
    EXPECT_EQ(s.ReverseFind('a'), n - 1);
    EXPECT_EQ(s.Find("aaab", 0), -1);
    MString reversed(s);
    reversed.Reverse();
    EXPECT_EQ(reversed.Find("eldeen", 0), 0);
    std::unique_ptr<char[]> copy(s.ToCString(0));
    EXPECT_EQ(std::strlen(copy.get()), static_cast<size_t>(n + 6));
    EXPECT_EQ(s.Replace("a", "bb"), n);
    EXPECT_EQ(s.Find("needle", 0), 2 * n);
    s.TrimRight("needle");
    s.TrimRight('b');
    EXPECT_TRUE(s.IsEmpty());

    MString t(' ', n);
    t += 'x';
    t += MString(' ', n);
    t.TrimRight();
    t.TrimLeft();
    EXPECT_EQ(Str(t), "x");
    MString u('z', n);
    EXPECT_EQ(u.Delete(0, n - 1), 1);
    EXPECT_EQ(u.Remove('z'), 1);
}

}  // namespace
}  // namespace evoplug
