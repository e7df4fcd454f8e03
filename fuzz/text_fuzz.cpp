// Random sequences of MString and MStringList operations, each made on the
// library and on a model built on std::string; after every step every text is
// compared whole, 0s included. tests/text covers what the model leaves out.
//
// Arguments come from the edges that break chain walks (negative, zero, one,
// the length and its neighbours, INT_MIN, INT_MAX). C strings may be null or
// lie in the edited text's own buffer; the edited text may be an element of
// the list, a text or list may be its own argument, and texts may hold the
// character 0. Texts stay short so that one input runs many operations.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz_input.h"
#include "text/mstring.h"
#include "text/mstring_list.h"

using evoplug::MString;
using evoplug::MStringList;

namespace {

using Str = std::string;
using Texts = std::vector<Str>;
// Letters of both cases, the trimmed blanks, a digit, a byte above 127
// (negative as a char) and, for a character argument, 0.
const char kChars[] = {'a', 'b', 'A', 'Z', ' ', '\t', '\n', '7', ',', '\xF6', '\0', '\0'};

[[noreturn]] void Fail(const Str& what, const Str& want, const Str& got) {
    std::cerr << "text model: " << what << "\n want [" << want << "]\n got  [" << got << "]\n";
    std::abort();
}
const auto Len = [](const auto& c) { return static_cast<int>(c.size()); };
const auto Inside = [](const auto& c, int i) { return i >= 0 && i < Len(c); };
// Every character, 0 included, read from a copy so that the text's own buffer stays.
Str All(MString copy) { return {copy.GetBuffer(), static_cast<size_t>(copy.GetLength())}; }
Str One(char c) { return Str(1, c); }
Str CStr(const Str& s) { return s.substr(0, s.find('\0')); }  // what a C-string reader sees
Str Decimal(int n) { return n > 0 ? std::to_string(n) : ""; }
int Found(size_t p) { return p == Str::npos ? -1 : static_cast<int>(p); }
// The six relations as bits, of texts or of a comparison result and 0.
const auto Relations = [](const auto& a, const auto& b) {
    return (a == b) + 2 * (a != b) + 4 * (a < b) + 8 * (a > b) + 16 * (a <= b) + 32 * (a >= b);
};
// A comparison result with the relations either way round that it implies.
int Ordered(int c) { return (c * 64 + Relations(c, 0)) * 64 + Relations(0, c); }

// ---- The model: the library's documented behaviour on std::string.
Str Mid(Str s, int at, int n) { return n < 1 || at >= Len(s) ? "" : s.substr(std::max(at, 0), n); }
// 0 when equal, else the sign of the order (bytes as signed chars) and the
// 1-based position deciding it; when b is a proper prefix of a, a's length.
int Compare(const Str& a, const Str& b) {
    int i = 0;
    while (i < Len(a) && i < Len(b) && a[i] == b[i]) ++i;
    if (i == Len(b)) return i == Len(a) ? 0 : Len(a);
    return i < Len(a) && static_cast<int8_t>(a[i]) > static_cast<int8_t>(b[i]) ? i + 1 : -(i + 1);
}
// Trimming a text takes whole copies only; the blanks take one pass each.
Str TrimLeft(Str s, const Str& w) {
    while (!w.empty() && s.compare(0, w.size(), w) == 0) s.erase(0, w.size());
    return s;
}
Str Rev(const Str& s) { return {s.rbegin(), s.rend()}; }
Str TrimRight(const Str& s, const Str& w) { return Rev(TrimLeft(Rev(s), Rev(w))); }
Str Trim(const Str& s, const Str& w) { return TrimRight(TrimLeft(s, w), w); }
const auto Blanks = [](const Str& s, auto trim) { return trim(trim(trim(s, " "), "\t"), "\n"); };
// The trim of w, then of c, then of the blanks: Trim's halves commute.
const auto Trims = [](Str s, Str w, char c, auto f) { return Blanks(f(f(s, w), One(c)), f); };
// Goes on behind each inserted text; an empty `to` removes.
int Replace(Str& s, const Str& from, const Str& to) {
    int n = 0;
    for (size_t p = 0; !from.empty() && (p = s.find(from, p)) != Str::npos; ++n)
        s.replace(p, from.size(), to), p += to.size();
    return n;
}
// An empty list takes the copies wherever they are aimed; a position beyond
// the end is reached with empty texts first.
void InsertAt(Texts& l, int at, Str v, int count) {
    if (count < 1 || at < 0) return;
    if (l.empty()) at = 0;
    if (at > Len(l)) l.resize(at);
    l.insert(l.begin() + at, count, v);
}
// Each element on its own at at, at + 1, ...
void InsertEach(Texts& l, int at, Texts more) {
    for (const Str& v : more) InsertAt(l, at++, v, 1);
}
void RemoveAt(Texts& l, int at, int n) {
    if (Inside(l, at) && n >= 1) l.erase(l.begin() + at, l.begin() + at + std::min(n, Len(l) - at));
}
// The pieces between delimiters from start on, and the last one unless empty.
Texts Split(const Str& t, char d, int start) {
    Texts pieces;
    for (size_t from = std::max(start, 0), to = 0; from < t.size(); from = to + 1)
        pieces.push_back(t.substr(from, (to = std::min(t.find(d, from), t.size())) - from));
    return pieces;
}

// One step: the texts it works on and its arguments, drawn in the order declared.
struct Step {
    FuzzInput& in;
    MString (&t)[3];  // three texts and a list, each with its model
    Str (&ms)[3];
    MStringList& l;
    Texts& lm;
    int a = in.ConsumeIntegralInRange(0, 3), b = in.ConsumeIntegralInRange(0, 2);
    int e = a == 3 && !lm.empty() ? in.ConsumeIntegralInRange(0, Len(lm) - 1) : -1;
    MString& s = e < 0 ? t[a % 3] : *l.ElementAt(e);  // the text edited: a slot or an element
    Str& m = e < 0 ? ms[a % 3] : lm[e];
    MString& o = t[b];  // a slot, maybe s
    Str& om = ms[b];

    char Char() { return in.PickValueInArray(kChars); }
    int Pos(int w) {  // near the edges of something w long
        const int edges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, w - 1, w, w + 1, INT_MAX - 1, INT_MAX};
        return in.ConsumeBool() ? in.PickValueInArray(edges) : in.ConsumeIntegralInRange(-3, w + 3);
    }
    // Null, a few letters, or s's own buffer from an offset on, up to the text's
    // next 0; both pieces share one buffer, as a second GetBuffer would free it.
    const char* Text(Str& seen) {
        const int form = in.ConsumeIntegralInRange(0, 7);
        for (int n = form > 2 ? in.ConsumeIntegralInRange(0, 4) : 0; n > 0; --n) seen += Char();
        if (form != 1 && form != 2) return form == 0 ? nullptr : (seen = CStr(seen)).c_str();
        if (own == nullptr) own = s.GetBuffer();
        const size_t from = in.ConsumeIntegralInRange<size_t>(0, m.size());
        seen = own + from;
        return own + from;
    }

    char* own = nullptr;  // s's buffer, once a piece of it is an argument
    Str ps{}, qs{};       // what a C-string reader sees of p and q
    const char *p = Text(ps), *q = Text(qs);
    char c = Char(), d = Char();
    int i = Pos(Len(m)), j = Pos(Len(m)), k = std::min(Pos(3), 5);  // k never allocates much
    int n = in.ConsumeBool() ? Pos(10) : in.ConsumeIntegral<int>(), f = in.ConsumeBool();
    // A gap in the list is filled node by node.
    int at = std::min(Pos(Len(lm)), Len(lm) + 8);
};

using Op = std::tuple<const char*, int (*)(Step&), int (*)(Step&)>;
// An operation on the library and the same on the model, each giving a result
// to compare (EDIT: none); the step's members go by their names.
// clang-format off
#define STEP auto& [in, t, ms, l, lm, a, b, e, s, m, o, om, own, ps, qs, p, q, c, d, i, j, k, n, f, at] = x
#define SIDE(result) [](Step& x) -> int { STEP; return result; }
#define OP(real, model) {#real, SIDE(real), SIDE(model)}
#define EDIT(real, model) OP((real, 0), (model, 0))
// clang-format on
const Op kOps[] = {
    // Building; a null C string is the empty text, and only += drops a 0.
    EDIT(s = p, m = ps),
    EDIT(s = MString(p, i), m = i < 1 ? "" : ps.substr(0, i)),
    EDIT(s = c, m = One(c)),
    EDIT(s = MString(c, k), m = Str(std::max(k, 0), c)),
    EDIT((s = n) += n, (m = Decimal(n)) += Decimal(n)),
    EDIT((s += p) += c, (m += ps) += CStr(One(c))),
    EDIT(s += o, m += om),
    EDIT(o = p + (n + (c + s)) + c + p + n + o,
         om = ps + (Decimal(n) + (c + m)) + CStr(One(c)) + ps + Decimal(n) + om),
    EDIT(s.Format("%*s%s", n & 2047, "", p ? p : ""),
         m = (Str(n & 2047, ' ') + ps).substr(0, 1999)),
    // Pieces, into a slot.
    EDIT(o = s.Mid(i) + s.Mid(i, j), om = Mid(m, i, INT_MAX) + Mid(m, i, j)),
    EDIT(o = s.Left(i) + s.Right(j), om = Mid(m, 0, i) + Mid(m, j < 1 ? 0 : Len(m) - j, j)),
    // Queries.
    OP(s.WhichOf(p), Found(ps.find_first_of(m))),
    OP(s.Find(c, i), Found(m.find(c, std::max(i, 0)))),
    OP(s.Find(p, i), ps.empty() ? -1 : Found(m.find(ps, std::max(i, 0)))),
    OP(s.ReverseFind(c), Found(m.rfind(c))),
    OP(s.ReverseFind(p), ps.empty() ? -1 : Found(m.rfind(ps))),
    OP((s.Compare(o) * 64 + Relations(s, o)) * 64 + Relations(o, s), Ordered(Compare(m, om))),
    OP((s.Compare(p) * 64 + Relations(s, p)) * 64 + Relations(p, s), Ordered(Compare(m, ps))),
    OP(s.GetAt(i), Inside(m, i) ? m[i] : 0),
    // Edits.
    OP(s.Insert(i, c), i < 0 ? -1 : Len(m.insert(std::min<size_t>(m.size(), i), 1, c))),
    OP(s.Insert(i, p), i < 0 ? -1 : Len(m.insert(std::min<size_t>(m.size(), i), ps))),
    OP(s.Delete(i, j), Len(Inside(m, i) && j >= 1 ? m.erase(i, j) : m)),
    OP(f ? s.Replace(c, d) : s.Remove(c), Replace(m, One(c), f ? One(d) : "")),
    OP(s.Replace(p, q), qs.empty() ? 0 : Replace(m, ps, qs)),
    EDIT(s.SetAt(i, c), Inside(m, i) && (m[i] = c)),
    EDIT(s.Reverse(), m = Rev(m)),
    // Trims; the text argument first, before a trim frees the buffer it may lie in.
    EDIT((s.TrimLeft(p), s.TrimLeft(c), s.TrimLeft()), m = Trims(m, ps, c, TrimLeft)),
    EDIT((s.TrimRight(p), s.TrimRight(c), s.TrimRight()), m = Trims(m, ps, c, TrimRight)),
    EDIT((s.Trim(p), s.Trim(c), s.Trim()), m = Trims(m, ps, c, Trim)),
    // The list, whose element s may be; f picks a C string instead.
    OP(f ? l.Add(p) : l.Add(s), (lm.push_back(f ? ps : m), Len(lm) - 1)),
    EDIT(f ? l.InsertAt(at, p, k) : l.InsertAt(at, s, k), InsertAt(lm, at, f ? ps : m, k)),
    EDIT(l.InsertAt(at, l), InsertEach(lm, at, lm)),
    OP(l.Append(l), (InsertEach(lm, Len(lm), lm), Len(lm))),
    EDIT(l.RemoveAt(at, j), RemoveAt(lm, at, j)),
    OP((o = l.GetAt(at), !l.ElementAt(at)), (om = Inside(lm, at) ? lm[at] : "", !Inside(lm, at))),
    EDIT(f ? l.SetAt(at, p) : l.SetAt(at, s), Inside(lm, at) && (lm[at] = f ? ps : m, true)),
    EDIT(l.Split(s, d, i, at), InsertEach(lm, at, Split(m, d, i))),
};

// Compares a text whole, then cuts a long one short.
void Check(MString& t, Str& m, const char* after) {
    if (All(t) != m || t.GetLength() != Len(m) || t.IsEmpty() != m.empty()) Fail(after, m, All(t));
    if (Len(m) > 48) t.Delete(24, INT_MAX), m.resize(24);
}

}  // namespace

// Nothing to set up; fuzz/replay.cpp calls it as libFuzzer does.
extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::cout.setstate(std::ios::badbit);  // what Split reports goes nowhere, fast
    FuzzInput in(data, size);
    MString t[3];
    Str ms[3];
    MStringList l;
    Texts lm;
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        const auto [name, real, model] = in.PickValueInArray(kOps);
        Step x{in, t, ms, l, lm};
        const int got = real(x), want = model(x);
        if (got != want) Fail(name, std::to_string(want), std::to_string(got));
        if (l.GetUpperBound() + 1 != Len(lm)) Fail(name, std::to_string(Len(lm)), "size");
        for (int i = 0; i < 3 + Len(lm); ++i)
            Check(i < 3 ? t[i] : *l.ElementAt(i - 3), i < 3 ? ms[i] : lm[i - 3], name);
        if (Len(lm) > 24) l.RemoveAt(12, INT_MAX), lm.resize(12);
    }
    return 0;
}
