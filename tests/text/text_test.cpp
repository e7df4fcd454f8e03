// What the model in fuzz/text_fuzz.cpp leaves out: numbers, case folding,
// KeepChars, Split's report, list assignment, and the character 0
// where a text becomes a C string or is read from a stream.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "support/output_capture.h"
#include "text/mstring.h"
#include "text/mstring_list.h"

namespace evoplug {
namespace {

using namespace std::string_literals;

std::string Str(MString copy) { return {copy.GetBuffer(), static_cast<size_t>(copy.GetLength())}; }

// A negative number gives only the digits of its fraction; the whole part
// saturates.
TEST(MString, FloatsAreCutToThreeDigitsAndSaturate) {
    const std::pair<double, const char*> rows[] = {
        {2.5, "2.500"},
        {0.005, ".005"},
        {2.675, "2.674"},
        {NAN, ".000"},
        {2147483648.0, "2147483647.000"},
        {2147483647.75, "2147483647.750"},
        {-2147483648.5, ".500"},
    };
    for (const auto& [x, want] : rows) EXPECT_EQ(Str(MString(x)), want) << x;
}

TEST(MString, PrecisionStaysWithItsTextAndReachesNine) {
    MString none, nine, added(".5"), kept("x");
    none.SetPrecision(0);
    nine.SetPrecision(9);
    nine.SetPrecision(10);  // refused
    added.SetPrecision(1);
    kept.SetPrecision(5);
    MString copy(kept), assigned;
    assigned = kept;
    none = 7.9;
    nine = 0.5f;
    added += 1.25f;
    copy = 1.5;
    assigned = 1.5;
    kept = 2147483648.0f;
    EXPECT_EQ(Str(none), "7");
    EXPECT_EQ(Str(nine), ".500000000");
    EXPECT_EQ(Str(added), ".51.2");
    EXPECT_EQ(Str(copy), "1.500");
    EXPECT_EQ(Str(assigned), "1.500");
    EXPECT_EQ(Str(kept), "2147483647.00000");
}

// The walk is iterative: a million digits do not exhaust the stack.
TEST(MString, ToIntReadsTheDigitsFromAPositionWrappingModulo2To32) {
    MString digits("7a4294967306b2147483648c");
    digits += MString('9', 20) + "d" + MString('1', 1 << 20);
    const std::pair<int, int> rows[] = {
        {-1, 0},           {0, 7},           {1, 0},           {2, 10},
        {13, -2147483648}, {24, 1661992959}, {45, -954437177}, {1 << 30, 0}};
    for (const auto& [at, want] : rows) EXPECT_EQ(digits.ToInt(at), want) << "from " << at;
}

// Only ASCII letters change case.
TEST(MString, CaseFoldingLeavesAllButASCIILettersAlone) {
    MString up("Ab\xF6\xD6z9[{"), down(up);
    up.MakeUpper();
    down.MakeLower();
    EXPECT_EQ(Str(up), "AB\xF6\xD6Z9[{");
    EXPECT_EQ(Str(down), "ab\xF6\xD6z9[{");
    EXPECT_EQ(up.CompareNoCase("aB\xF6\xD6z9[{"), 0);
    EXPECT_EQ(MString("[").CompareNoCase("{"), -1);
    EXPECT_EQ(MString("ABC").CompareNoCase("abd"), -3);
    MString own("AbA");
    EXPECT_EQ(own.CompareNoCase(own.GetBuffer() + 2), 3);
}

// A character of the set counts once per occurrence there; nothing is kept
// once the result is empty. The set may lie in the text's own buffer.
TEST(MString, KeepCharsTakesEachCharacterOfTheSetOnce) {
    const MString banana("banana split");
    EXPECT_EQ(Str(banana.KeepChars("ban")), "banana");
    EXPECT_EQ(Str(banana.KeepChars("bba")), "bbaaa");
    EXPECT_EQ(Str(banana.KeepChars("an")), "");
    EXPECT_EQ(Str(banana.DropChars("an")), "b split");
    MString kept("baxb"), dropped("baxb");
    kept = kept.KeepChars(kept.GetBuffer() + 2);
    dropped = dropped.DropChars(dropped.GetBuffer() + 3);
    EXPECT_EQ(Str(kept), "bxb");
    EXPECT_EQ(Str(dropped), "ax");
}

// Each piece, as a C string, between its places; the text split may be an
// element of the list itself.
TEST(MStringList, SplitReportsEachPieceAndItsPlaces) {
    MStringList l;
    testing::OutputCapture out;
    l.Split(*l.ElementAt(l.Add("a" + MString('\0', 1) + "b,,c")), ',', 0, 0);
    l.Split(MString("skip;p;q"), ';', 5, 0);
    EXPECT_EQ(out.stop(),
              "a\nplace = 0\nplace = 4\n\nplace = 4\nplace = 5\np\nplace = 5\nplace = 7\n");
}

TEST(MStringList, ACopyTakesItsOwnNodesAndAGapOfAMillionIsFilled) {
    MStringList l(MString("a")), copy;
    copy = l;
    l.SetAt(0, "b");
    EXPECT_EQ(Str(copy.GetAt(0)), "a");
    EXPECT_EQ(copy.Add("z"), 1);
    l.InsertAt(1 << 20, "x", 1);
    EXPECT_EQ(l.GetUpperBound(), 1 << 20);
}

// GetBuffer holds the characters and 0s up to the length asked for and one
// more; ReleaseBuffer takes that back up to a 0, never past the length.
TEST(MString, TheCharacter0EndsATextOnlyAsACString) {
    const MString t = "12" + MString('\0', 1) + "34";
    MString held(t), read("x"), first, rest, blank("x");
    EXPECT_EQ(std::string(held.GetBuffer(7), 8), "12\00034\0\0\0"s);
    EXPECT_EQ(Str(held.ReleaseBuffer(0)), "12");
    EXPECT_FALSE(held.PeekBuffer());
    std::string(4, 'q').copy(held.GetBuffer(3), 4);  // over the last 0 too
    EXPECT_EQ(Str(held.ReleaseBuffer(0)), "qqq");

    EXPECT_STREQ(std::unique_ptr<char[]>(t.ToCString(0)).get(), "12");
    EXPECT_STREQ(std::unique_ptr<char[]>(t.ToCString(3)).get(), "34");
    EXPECT_EQ(t.ToCString(5), nullptr);
    EXPECT_EQ((std::ostringstream() << t).str(), "12");

    // From a stream a 0 is dropped, as += drops it.
    std::istringstream in(" a\t\0b\n"s), lines("a\0b\ncd"s);
    in >> read;
    ReadLine(lines, first);
    ReadLine(lines, rest);
    EXPECT_EQ(Str(read), "x a\tb\n");
    EXPECT_EQ(Str(first), "ab\n");
    EXPECT_EQ(Str(rest), "cd");
    blank.Format(nullptr);
    EXPECT_EQ(Str(blank), "");
}

}  // namespace
}  // namespace evoplug
