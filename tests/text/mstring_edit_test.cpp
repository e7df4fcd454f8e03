// Comparison, substrings, editing, search, trimming, parsing, Format and the
// owned buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "text/mstring.h"
#include "text_test_util.h"

namespace evoplug {
namespace {

using testing::Str;

const char* const kNull = nullptr;

TEST(MStringCompare, MagnitudeTellsWhereTheOrderWasDecided) {
    EXPECT_EQ(MString("ab").Compare(MString("ab")), 0);
    EXPECT_EQ(MString("abc").Compare(MString("ab")), 3);
    EXPECT_EQ(MString("ab").Compare(MString("abc")), -3);
    EXPECT_EQ(MString("abd").Compare(MString("abc")), 3);
    EXPECT_EQ(MString("abc").Compare(MString("abd")), -3);
    EXPECT_EQ(MString("abcdef").Compare("abc"), 6);
    EXPECT_EQ(MString("b").Compare("abc"), 1);
    EXPECT_EQ(MString().Compare(""), 0);
    EXPECT_EQ(MString().Compare(MString()), 0);
    EXPECT_EQ(MString().Compare("a"), -1);
    EXPECT_TRUE(MString() == "");
}

TEST(MStringCompare, HighBytesOrderAsSignedAndNullIsEmpty) {
    EXPECT_EQ(MString("\xF6").Compare("a"), -1);
    EXPECT_EQ(MString("a").Compare(MString("\xF6")), 1);
    EXPECT_TRUE(MString("\xF6") < "a");
    EXPECT_EQ(MString().Compare(kNull), 0);
    EXPECT_EQ(MString("ab").Compare(kNull), 2);
    EXPECT_TRUE(MString() == kNull);
    EXPECT_EQ(MString().CompareNoCase(kNull), 0);
}

TEST(MStringCompare, NoCaseFoldsOnlyAsciiLetters) {
    EXPECT_EQ(MString("HeLLo").CompareNoCase("hello"), 0);
    EXPECT_EQ(MString("ABC").CompareNoCase("abd"), -3);
    EXPECT_EQ(MString("abc").CompareNoCase("AB"), 3);
    EXPECT_NE(MString("\xD6").CompareNoCase("\xF6"), 0);
    EXPECT_NE(MString("[").CompareNoCase("{"), 0);
}

TEST(MStringCompare, EighteenOperatorsFollowTheSign) {
    const MString ab("ab");
    const MString abc("abc");
    EXPECT_TRUE(ab == MString("ab"));
    EXPECT_TRUE(ab != abc);
    EXPECT_TRUE(ab < abc);
    EXPECT_FALSE(ab > abc);
    EXPECT_TRUE(ab <= abc);
    EXPECT_TRUE(ab <= MString("ab"));
    EXPECT_FALSE(ab >= abc);
    EXPECT_TRUE(abc >= ab);

    EXPECT_TRUE(ab == "ab");
    EXPECT_FALSE(ab == "abc");
    EXPECT_TRUE(ab != "abc");
    EXPECT_TRUE(ab < "abc");
    EXPECT_TRUE(abc > "ab");
    EXPECT_TRUE(ab <= "ab");
    EXPECT_FALSE(ab >= "abc");

    EXPECT_TRUE("ab" == ab);
    EXPECT_TRUE("abc" != ab);
    EXPECT_TRUE("abc" > ab);
    EXPECT_FALSE("abc" < ab);
    EXPECT_TRUE("ab" < abc);
    EXPECT_TRUE("ab" <= ab);
    EXPECT_TRUE("abc" >= ab);
    EXPECT_FALSE("ab" >= abc);
}

TEST(MStringSubstring, MidLeftRight) {
    const MString s("abcdef");
    EXPECT_EQ(Str(s.Mid(2)), "cdef");
    EXPECT_EQ(Str(s.Mid(-3)), "abcdef");
    EXPECT_TRUE(s.Mid(6).IsEmpty());
    EXPECT_TRUE(MString().Mid(0).IsEmpty());
    EXPECT_EQ(Str(s.Mid(1, 3)), "bcd");
    EXPECT_EQ(Str(s.Mid(-1, 2)), "ab");
    EXPECT_EQ(Str(s.Mid(4, 10)), "ef");
    EXPECT_TRUE(s.Mid(1, 0).IsEmpty());
    EXPECT_TRUE(s.Mid(9, 2).IsEmpty());
    EXPECT_EQ(Str(s.Left(2)), "ab");
    EXPECT_EQ(Str(s.Left(99)), "abcdef");
    EXPECT_TRUE(s.Left(0).IsEmpty());
    EXPECT_EQ(Str(s.Right(2)), "ef");
    EXPECT_EQ(Str(s.Right(99)), "abcdef");
    EXPECT_TRUE(s.Right(0).IsEmpty());
    EXPECT_TRUE(s.Right(-1).IsEmpty());
    MString piece = s.Right(1);
    piece += 'g';
    EXPECT_EQ(Str(piece), "fg");
}

TEST(MStringSubstring, DropAndKeepChars) {
    const MString s("banana split");
    EXPECT_EQ(Str(s.DropChars("an")), "b split");
    EXPECT_EQ(Str(s.DropChars("")), "banana split");
    EXPECT_EQ(Str(s.DropChars(kNull)), "banana split");

    EXPECT_EQ(Str(s.KeepChars("ban")), "banana");
    EXPECT_EQ(Str(s.KeepChars("bas")), "baaas");  // later matches anywhere
    EXPECT_EQ(Str(s.KeepChars("bba")), "bbaaa");  // once per occurrence in the set
    EXPECT_TRUE(s.KeepChars("an").IsEmpty());     // first character not in the set
    EXPECT_TRUE(s.KeepChars(kNull).IsEmpty());
    EXPECT_TRUE(MString().KeepChars("a").IsEmpty());
}

TEST(MStringCase, OnlyAsciiLettersChange) {
    MString s("Ab\xF6\xD6z9[");
    s.MakeUpper();
    EXPECT_EQ(Str(s), "AB\xF6\xD6Z9[");
    s.MakeLower();
    EXPECT_EQ(Str(s), "ab\xF6\xD6z9[");
}

TEST(MStringReplace, CharactersInPlace) {
    MString s("banana");
    EXPECT_EQ(s.Replace('a', 'o'), 3);
    EXPECT_EQ(Str(s), "bonono");
    EXPECT_EQ(s.Replace('x', 'y'), 0);
}

TEST(MStringReplace, TextsGoOnBehindEachInsertion) {
    MString s("aaa");
    EXPECT_EQ(s.Replace("a", "aa"), 3);
    EXPECT_EQ(Str(s), "aaaaaa");

    MString t("abcabc");
    EXPECT_EQ(t.Replace("bc", "X"), 2);
    EXPECT_EQ(Str(t), "aXaX");
    t += '!';  // the tail moved onto the last inserted node
    EXPECT_EQ(Str(t), "aXaX!");

    MString u("aaaa");
    EXPECT_EQ(u.Replace("aa", "b"), 2);
    EXPECT_EQ(Str(u), "bb");

    MString v("ab");
    EXPECT_EQ(v.Replace("a", "ba"), 1);
    EXPECT_EQ(Str(v), "bab");

    MString w("aab aab");
    EXPECT_EQ(w.Replace("aab", "-"), 2);
    EXPECT_EQ(Str(w), "- -");
}

TEST(MStringReplace, EmptyArgumentsChangeNothing) {
    MString s("abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("b", ""), 0);
    EXPECT_EQ(s.Replace(kNull, "x"), 0);
    EXPECT_EQ(s.Replace("b", kNull), 0);
    EXPECT_EQ(Str(s), "abc");
    MString empty;
    EXPECT_EQ(empty.Replace("a", "b"), 0);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(MStringReplace, PatternFromOwnBuffer) {
    MString s("abab");
    s.GetBuffer();
    EXPECT_EQ(s.Replace("b", s.PeekBuffer()), 2);
    EXPECT_EQ(Str(s), "aababaabab");
}

TEST(MStringEdit, RemoveDropsEveryMatchAndKeepsTheTail) {
    MString s("banana");
    EXPECT_EQ(s.Remove('a'), 3);
    EXPECT_EQ(Str(s), "bnn");
    s += 'x';
    EXPECT_EQ(Str(s), "bnnx");
    MString all("aaa");
    EXPECT_EQ(all.Remove('a'), 3);
    EXPECT_TRUE(all.IsEmpty());
    all += 'z';
    EXPECT_EQ(Str(all), "z");
}

TEST(MStringEdit, InsertCharacter) {
    MString s("ab");
    EXPECT_EQ(s.Insert(0, 'x'), 3);
    EXPECT_EQ(Str(s), "xab");
    s += 'y';
    EXPECT_EQ(Str(s), "xaby");
    EXPECT_EQ(s.Insert(2, '-'), 5);
    EXPECT_EQ(Str(s), "xa-by");
    EXPECT_EQ(s.Insert(50, '!'), 6);
    s += '?';
    EXPECT_EQ(Str(s), "xa-by!?");
    EXPECT_EQ(s.Insert(-1, 'q'), -1);
    MString empty;
    EXPECT_EQ(empty.Insert(3, 'a'), 1);
    empty += 'b';
    EXPECT_EQ(Str(empty), "ab");
}

TEST(MStringEdit, InsertText) {
    MString s("ab");
    EXPECT_EQ(s.Insert(1, "XY"), 4);
    EXPECT_EQ(Str(s), "aXYb");
    EXPECT_EQ(s.Insert(4, "cd"), 6);
    s += 'e';
    EXPECT_EQ(Str(s), "aXYbcde");
    EXPECT_EQ(s.Insert(0, "<"), 8);
    EXPECT_EQ(Str(s), "<aXYbcde");
    EXPECT_EQ(s.Insert(-2, "z"), -1);
    EXPECT_EQ(s.Insert(1, kNull), 8);
    EXPECT_EQ(Str(s), "<aXYbcde");
    MString empty;
    EXPECT_EQ(empty.Insert(5, "hi"), 2);
    empty += '!';
    EXPECT_EQ(Str(empty), "hi!");
}

TEST(MStringEdit, DeleteClampsAndMovesTheTail) {
    MString a("abc");
    EXPECT_EQ(a.Delete(0, 2), 1);
    EXPECT_EQ(Str(a), "c");
    MString b("abc");
    EXPECT_EQ(b.Delete(1, 5), 1);
    EXPECT_EQ(Str(b), "a");
    b += 'z';
    EXPECT_EQ(Str(b), "az");
    MString c("abc");
    EXPECT_EQ(c.Delete(3, 1), 3);
    EXPECT_EQ(c.Delete(-1, 1), 3);
    EXPECT_EQ(c.Delete(1, 0), 3);
    EXPECT_EQ(Str(c), "abc");
    EXPECT_EQ(c.Delete(0, 3), 0);
    EXPECT_TRUE(c.IsEmpty());
    c += 'n';
    EXPECT_EQ(Str(c), "n");
    EXPECT_EQ(MString().Delete(0, 1), 0);
}

TEST(MStringEdit, ReleasingCharactersFreesTheBuffer) {
    MString s("abcd");
    s.GetBuffer();
    s.Replace('a', 'A');
    EXPECT_NE(s.PeekBuffer(), nullptr);  // no character released
    s.Delete(0, 1);
    EXPECT_EQ(s.PeekBuffer(), nullptr);
    s.GetBuffer();
    s.Remove('d');
    EXPECT_EQ(s.PeekBuffer(), nullptr);
    s.GetBuffer();
    s.Clear();
    EXPECT_EQ(s.PeekBuffer(), nullptr);
}

TEST(MStringFind, CharactersAndTexts) {
    const MString s("abcabc");
    EXPECT_EQ(s.Find('c', 0), 2);
    EXPECT_EQ(s.Find('c', 3), 5);
    EXPECT_EQ(s.Find('a', -4), 0);
    EXPECT_EQ(s.Find('a', 6), -1);
    EXPECT_EQ(s.Find('z', 0), -1);
    EXPECT_EQ(MString().Find('a', 0), -1);

    EXPECT_EQ(s.Find("bc", 0), 1);
    EXPECT_EQ(s.Find("bc", 2), 4);
    EXPECT_EQ(s.Find("bc", -1), 1);
    EXPECT_EQ(s.Find("bc", 5), -1);
    EXPECT_EQ(MString("ab").Find("bc", 0), -1);
    EXPECT_EQ(s.Find("", 0), -1);
    EXPECT_EQ(s.Find(kNull, 0), -1);
    EXPECT_EQ(MString().Find("a", 0), -1);
    EXPECT_EQ(MString("aaab").Find("aab", 0), 1);
    EXPECT_EQ(MString("abababc").Find("ababc", 0), 2);
}

TEST(MStringFind, ReverseFindAndWhichOf) {
    const MString s("abcabc");
    EXPECT_EQ(s.ReverseFind('a'), 3);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.ReverseFind("bc"), 4);
    EXPECT_EQ(s.ReverseFind("abcabc"), 0);
    EXPECT_EQ(s.ReverseFind("abcabcd"), -1);
    EXPECT_EQ(s.ReverseFind(""), -1);
    EXPECT_EQ(s.ReverseFind(kNull), -1);
    EXPECT_EQ(MString("aaaa").ReverseFind("aa"), 2);
    EXPECT_EQ(MString("abab").ReverseFind("aba"), 0);

    EXPECT_EQ(MString("abc").WhichOf("xyb"), 2);
    EXPECT_EQ(MString("abc").WhichOf("cab"), 0);
    EXPECT_EQ(MString("abc").WhichOf("xyz"), -1);
    EXPECT_EQ(MString("abc").WhichOf(kNull), -1);
    EXPECT_EQ(MString().WhichOf("a"), -1);
}

TEST(MStringTrim, SingleCharacters) {
    MString spaces("   ");
    spaces.TrimRight(' ');
    EXPECT_TRUE(spaces.IsEmpty());
    spaces += 'x';
    EXPECT_EQ(Str(spaces), "x");

    MString s(" \t x");
    s.TrimLeft();
    EXPECT_EQ(Str(s), " x");

    MString r("x \n\t ");
    r.TrimRight();  // one pass per character: a space behind the line feed stays
    EXPECT_EQ(Str(r), "x ");
    r += '!';
    EXPECT_EQ(Str(r), "x !");

    MString both("--a-b--");
    both.Trim('-');
    EXPECT_EQ(Str(both), "a-b");
    MString blank("\t word \t");
    blank.Trim();
    EXPECT_EQ(Str(blank), " word ");
}

TEST(MStringTrim, WholeTexts) {
    MString s("ababxab");
    s.TrimLeft("ab");
    EXPECT_EQ(Str(s), "xab");
    s.TrimRight("ab");
    EXPECT_EQ(Str(s), "x");
    s += 'y';
    EXPECT_EQ(Str(s), "xy");

    MString odd("aaa");
    odd.TrimRight("aa");
    EXPECT_EQ(Str(odd), "a");
    MString overlap("ababa");
    overlap.TrimRight("aba");
    EXPECT_EQ(Str(overlap), "ab");
    MString all("abab");
    all.TrimRight("ab");
    EXPECT_TRUE(all.IsEmpty());
    MString partial("aab");
    partial.TrimLeft("ab");
    EXPECT_EQ(Str(partial), "aab");

    MString both("<>x<><>");
    both.Trim("<>");
    EXPECT_EQ(Str(both), "x");
}

TEST(MStringTrim, EmptyOrNullTextChangesNothing) {
    MString s("abc");
    s.TrimLeft("");
    s.TrimRight("");
    s.TrimLeft(kNull);
    s.TrimRight(kNull);
    s.Trim(kNull);
    EXPECT_EQ(Str(s), "abc");
    MString empty;
    empty.TrimRight("a");
    empty.TrimRight('a');
    empty.Trim();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(MStringToInt, DigitRunsFromStart) {
    EXPECT_EQ(MString("123abc").ToInt(0), 123);
    EXPECT_EQ(MString("-5").ToInt(0), 0);
    EXPECT_EQ(MString(" 5").ToInt(0), 0);
    EXPECT_EQ(MString("abc123").ToInt(3), 123);
    EXPECT_EQ(MString("abc123").ToInt(4), 23);
    EXPECT_EQ(MString("123").ToInt(-1), 0);
    EXPECT_EQ(MString("123").ToInt(3), 0);
    EXPECT_EQ(MString("123").ToInt(9), 0);
    EXPECT_EQ(MString("007").ToInt(0), 7);
}

TEST(MStringToInt, LongRunsWrapAtThirtyTwoBits) {
    EXPECT_EQ(MString("2147483647").ToInt(0), 2147483647);
    EXPECT_EQ(MString("2147483648").ToInt(0), -2147483647 - 1);
    EXPECT_EQ(MString("4294967297").ToInt(0), 1);
    EXPECT_EQ(MString("99999999999999999999").ToInt(0), 1661992959);
}

TEST(MStringFormat, FollowsPrintfAndCutsLongOutput) {
    MString s("old");
    s.SetPrecision(5);
    s.Format("%d-%s-%03d", 5, "x", 7);
    EXPECT_EQ(Str(s), "5-x-007");
    EXPECT_EQ(s.GetPrecision(), 5);

    const std::string longText(3000, 'w');
    s.Format("%s", longText.c_str());
    EXPECT_EQ(s.GetLength(), 1999);
    EXPECT_EQ(s.Find('w', 1998), 1998);

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    const char* noFormat = kNull;
    s = "x";
    s.Format(noFormat);
    EXPECT_TRUE(s.IsEmpty());

    MString self("me");
    self.GetBuffer();
    self.Format("%s+%s", self.PeekBuffer(), self.PeekBuffer());
    EXPECT_EQ(Str(self), "me+me");
}

TEST(MStringBuffer, GetAndReleaseRoundTrip) {
    MString s("abc");
    EXPECT_EQ(s.PeekBuffer(), nullptr);
    char* buffer = s.GetBuffer();
    ASSERT_NE(buffer, nullptr);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(s.PeekBuffer(), buffer);
    buffer[0] = 'Z';
    EXPECT_EQ(&s.ReleaseBuffer(99), &s);
    EXPECT_EQ(Str(s), "Zbc");
    EXPECT_EQ(s.PeekBuffer(), nullptr);
    s.ReleaseBuffer(0);  // no buffer: nothing happens
    EXPECT_EQ(Str(s), "Zbc");
}

TEST(MStringBuffer, MinimumLengthAndNoReadPastTheEnd) {
    MString s("abc");
    char* buffer = s.GetBuffer(10);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[3], '\0');
    EXPECT_EQ(buffer[10], '\0');
    std::memset(buffer, 'q', 10);
    s.ReleaseBuffer(-1);
    EXPECT_EQ(Str(s), std::string(10, 'q'));

    MString t("abcd");
    char* small = t.GetBuffer(-5);
    ASSERT_NE(small, nullptr);
    EXPECT_STREQ(small, "abcd");
    // Overwriting even the terminator stops at the recorded length.
    std::memset(small, 'r', 5);
    t.ReleaseBuffer(2);
    EXPECT_EQ(Str(t), "rrrr");

    MString empty;
    char* none = empty.GetBuffer();
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none[0], '\0');
    empty.ReleaseBuffer(0);
    EXPECT_TRUE(empty.IsEmpty());

    MString again("xy");
    char* first = again.GetBuffer();
    first[0] = 'Q';
    again.GetBuffer();  // replaces the first buffer, text unchanged
    again.ReleaseBuffer(0);
    EXPECT_EQ(Str(again), "xy");
}

TEST(MStringLong, FiftyThousandCharactersThroughSearchAndEdit) {
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
    EXPECT_EQ(s.GetLength(), 2 * n + 6);
    EXPECT_EQ(s.Find("needle", 0), 2 * n);

    s.TrimRight("needle");
    s.TrimRight('b');
    EXPECT_TRUE(s.IsEmpty());

    MString t(' ', n);
    t += 'x';
    t += MString(' ', n);
    t.TrimRight();
    EXPECT_EQ(t.GetLength(), n + 1);
    EXPECT_EQ(t.Delete(1, n), 1);
    MString u('z', n);
    EXPECT_EQ(u.Delete(0, n - 1), 1);
    EXPECT_EQ(u.Remove('z'), 1);
}

}  // namespace
}  // namespace evoplug
