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

// `op` is the operation's case below.
[[noreturn]] void Fail(int op, const Str& want, const Str& got) {
    std::cerr << "text model, operation " << op << "\n want [" << want << "]\n got  [" << got
              << "]\n";
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
// A comparison result with the relations of a and b either way round, or
// with those it implies.
template <typename A, typename B>
int Ordered(int c, const A& a, const B& b) {
    return (c * 64 + Relations(a, b)) * 64 + Relations(b, a);
}
int Ordered(int c) { return Ordered(c, c, 0); }

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
    for (size_t p = 0; !from.empty() && (p = s.find(from, p)) != Str::npos; ++n) {
        s.replace(p, from.size(), to);
        p += to.size();
    }
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

    void Run(int op);
};

// Each operation on the library and the same on the model, in a fixed order
// that the committed corpus relies on; the results of those that give one
// must agree.
constexpr int kOperations = 37;

void Step::Run(int op) {
    int got = 0;
    int want = 0;
    switch (op) {
        // Building; a null C string is the empty text, and only += drops a 0.
        case 0:
            s = p;
            m = ps;
            break;
        case 1:
            s = MString(p, i);
            m = i < 1 ? "" : ps.substr(0, i);
            break;
        case 2:
            s = c;
            m = One(c);
            break;
        case 3:
            s = MString(c, k);
            m = Str(std::max(k, 0), c);
            break;
        case 4:
            (s = n) += n;
            (m = Decimal(n)) += Decimal(n);
            break;
        case 5:
            (s += p) += c;
            (m += ps) += CStr(One(c));
            break;
        case 6:
            s += o;
            m += om;
            break;
        case 7:
            o = p + (n + (c + s)) + c + p + n + o;
            om = ps + (Decimal(n) + (c + m)) + CStr(One(c)) + ps + Decimal(n) + om;
            break;
        case 8:
            s.Format("%*s%s", n & 2047, "", p ? p : "");
            m = (Str(n & 2047, ' ') + ps).substr(0, 1999);
            break;
        // Pieces, into a slot.
        case 9:
            o = s.Mid(i) + s.Mid(i, j);
            om = Mid(m, i, INT_MAX) + Mid(m, i, j);
            break;
        case 10:
            o = s.Left(i) + s.Right(j);
            om = Mid(m, 0, i) + Mid(m, j < 1 ? 0 : Len(m) - j, j);
            break;
        // Queries.
        case 11:
            got = s.WhichOf(p);
            want = Found(ps.find_first_of(m));
            break;
        case 12:
            got = s.Find(c, i);
            want = Found(m.find(c, std::max(i, 0)));
            break;
        case 13:
            got = s.Find(p, i);
            want = ps.empty() ? -1 : Found(m.find(ps, std::max(i, 0)));
            break;
        case 14:
            got = s.ReverseFind(c);
            want = Found(m.rfind(c));
            break;
        case 15:
            got = s.ReverseFind(p);
            want = ps.empty() ? -1 : Found(m.rfind(ps));
            break;
        case 16:
            got = Ordered(s.Compare(o), s, o);
            want = Ordered(Compare(m, om));
            break;
        case 17:
            got = Ordered(s.Compare(p), s, p);
            want = Ordered(Compare(m, ps));
            break;
        case 18:
            got = s.GetAt(i);
            want = Inside(m, i) ? m[i] : 0;
            break;
        // Edits.
        case 19:
            got = s.Insert(i, c);
            want = i < 0 ? -1 : Len(m.insert(std::min<size_t>(m.size(), i), 1, c));
            break;
        case 20:
            got = s.Insert(i, p);
            want = i < 0 ? -1 : Len(m.insert(std::min<size_t>(m.size(), i), ps));
            break;
        case 21:
            got = s.Delete(i, j);
            if (Inside(m, i) && j >= 1) m.erase(i, j);
            want = Len(m);
            break;
        case 22:
            got = f ? s.Replace(c, d) : s.Remove(c);
            want = Replace(m, One(c), f ? One(d) : "");
            break;
        case 23:
            got = s.Replace(p, q);
            want = qs.empty() ? 0 : Replace(m, ps, qs);
            break;
        case 24:
            s.SetAt(i, c);
            if (Inside(m, i)) m[i] = c;
            break;
        case 25:
            s.Reverse();
            m = Rev(m);
            break;
        // Trims; the text argument first, before a trim frees the buffer it may lie in.
        case 26:
            s.TrimLeft(p);
            s.TrimLeft(c);
            s.TrimLeft();
            m = Trims(m, ps, c, TrimLeft);
            break;
        case 27:
            s.TrimRight(p);
            s.TrimRight(c);
            s.TrimRight();
            m = Trims(m, ps, c, TrimRight);
            break;
        case 28:
            s.Trim(p);
            s.Trim(c);
            s.Trim();
            m = Trims(m, ps, c, Trim);
            break;
        // The list, whose element s may be; f picks a C string instead.
        case 29:
            got = f ? l.Add(p) : l.Add(s);
            lm.push_back(f ? ps : m);
            want = Len(lm) - 1;
            break;
        case 30:
            f ? l.InsertAt(at, p, k) : l.InsertAt(at, s, k);
            InsertAt(lm, at, f ? ps : m, k);
            break;
        case 31:
            l.InsertAt(at, l);
            InsertEach(lm, at, lm);
            break;
        case 32:
            got = l.Append(l);
            InsertEach(lm, Len(lm), lm);
            want = Len(lm);
            break;
        case 33:
            l.RemoveAt(at, j);
            RemoveAt(lm, at, j);
            break;
        case 34:
            o = l.GetAt(at);
            got = l.ElementAt(at) != nullptr;
            om = Inside(lm, at) ? lm[at] : "";
            want = Inside(lm, at);
            break;
        case 35:
            f ? l.SetAt(at, p) : l.SetAt(at, s);
            if (Inside(lm, at)) lm[at] = f ? ps : m;
            break;
        case 36:
            l.Split(s, d, i, at);
            InsertEach(lm, at, Split(m, d, i));
            break;
    }
    if (got != want) Fail(op, std::to_string(want), std::to_string(got));
}

// Compares a text whole, then cuts a long one short.
void Check(MString& t, Str& m, int op) {
    if (All(t) != m || t.GetLength() != Len(m) || t.IsEmpty() != m.empty()) Fail(op, m, All(t));
    if (Len(m) > 48) {
        t.Delete(24, INT_MAX);
        m.resize(24);
    }
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
        const int op = in.ConsumeIntegralInRange(0, kOperations - 1);
        Step{in, t, ms, l, lm}.Run(op);
        if (l.GetUpperBound() + 1 != Len(lm)) Fail(op, std::to_string(Len(lm)), "size");
        for (int i = 0; i < 3 + Len(lm); ++i)
            Check(i < 3 ? t[i] : *l.ElementAt(i - 3), i < 3 ? ms[i] : lm[i - 3], op);
        if (Len(lm) > 24) {
            l.RemoveAt(12, INT_MAX);
            lm.resize(12);
        }
    }
    return 0;
}
