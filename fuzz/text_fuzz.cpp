// Random sequences of MString and MStringList operations, each checked
// against a model built on std::string where the result is fully stated.
//
// Arguments are drawn from the edges that break chain walks (negative, zero,
// the length and its neighbours, INT_MIN, INT_MAX); C strings may be null or
// lie in the edited text's own buffer, and a text or list may be its own
// argument. Texts may hold the character 0. Texts stay short so that one
// input runs many operations.
#include "fuzz_input.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "text/mstring.h"
#include "text/mstring_list.h"

using evoplug::MString;
using evoplug::MStringList;

namespace {

constexpr int kMaxText = 48;
constexpr int kMaxList = 24;
constexpr int kSlots = 3;

// Control characters and bytes above 127 as \xNN, so a 0 shows.
std::string shown(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += (c < 32 || c > 126) ? std::string(hex) : std::string(1, static_cast<char>(c));
    }
    return out;
}

[[noreturn]] void fail(const char* what, int op, const std::string& expected,
                       const std::string& got) {
    std::fprintf(stderr, "text model mismatch: %s (op %d)\n  expected [%s]\n  got      [%s]\n",
                 what, op, shown(expected).c_str(), shown(got).c_str());
    std::abort();
}

#define CHECK_EQ_INT(what, expected, got)                                     \
    do {                                                                      \
        long long e_ = (expected), g_ = (got);                                \
        if (e_ != g_) fail(what, op, std::to_string(e_), std::to_string(g_)); \
    } while (0)
#define CHECK_EQ_STR(what, expected, got)        \
    do {                                         \
        std::string e_ = (expected), g_ = (got); \
        if (e_ != g_) fail(what, op, e_, g_);    \
    } while (0)

// Characters that make searches hit: letters of both cases, the trimmed
// whitespace, digits for ToInt, and a byte above 127 (negative as char).
const char kAlphabet[] = {'a', 'b', 'A', 'Z', ' ', '\t', '\n', '0', '7', ',', '\xF6'};

// Every character, 0 included, read from the buffer of a copy so that the
// text's own buffer stays as the step left it.
std::string contents(MString copy) {
    return std::string(copy.GetBuffer(), static_cast<size_t>(copy.GetLength()));
}

// What a C-string reader sees of `s`: up to its first 0.
std::string cstr(const std::string& s) { return s.substr(0, s.find('\0')); }

// ---- The model -------------------------------------------------------------

using ListModel = std::vector<std::string>;

// InsertAt(index, value, count): an empty list takes the copies wherever they
// are aimed; a position beyond the end is reached with empty texts first.
void modelInsert(ListModel& list, long long index, const std::string& value, int count) {
    if (count < 1 || index < 0) return;
    if (list.empty()) index = 0;
    if (index > static_cast<long long>(list.size())) list.resize(static_cast<size_t>(index));
    list.insert(list.begin() + index, static_cast<size_t>(count), value);
}

// Inserting a list: each element on its own at index, index + 1, ...
void modelInsertEach(ListModel& list, long long index, const ListModel& elements) {
    for (const std::string& e : elements) modelInsert(list, index++, e, 1);
}

std::string decimal(long long n) { return n > 0 ? std::to_string(n) : std::string(); }

int modelCompare(const std::string& a, const std::string& b, bool noCase) {
    auto fold = [&](char c) -> signed char {
        if (noCase && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return static_cast<signed char>(c);
    };
    for (size_t i = 0;; ++i) {
        if (i == a.size() && i == b.size()) return 0;
        if (i == a.size()) return -static_cast<int>(i + 1);
        if (i == b.size()) return static_cast<int>(a.size());
        signed char x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x > y ? static_cast<int>(i + 1) : -static_cast<int>(i + 1);
    }
}

std::string modelMid(const std::string& s, long long start, long long count) {
    if (count < 1) return "";
    if (start < 0) start = 0;
    if (start >= static_cast<long long>(s.size())) return "";
    return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

std::string modelRight(const std::string& s, long long count) {
    if (count <= 0) return "";
    if (count >= static_cast<long long>(s.size())) return s;
    return s.substr(s.size() - static_cast<size_t>(count));
}

int modelFind(const std::string& s, const std::string& what, long long start) {
    if (s.empty() || what.empty()) return -1;
    if (start < 0) start = 0;
    if (start >= static_cast<long long>(s.size())) return -1;
    size_t p = s.find(what, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int modelReverseFind(const std::string& s, const std::string& what) {
    if (what.empty() || what.size() > s.size()) return -1;
    size_t p = s.rfind(what);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

void modelTrimLeft(std::string& s, const std::string& what) {
    if (what.empty()) return;
    while (s.compare(0, what.size(), what) == 0) s.erase(0, what.size());
}

void modelTrimRight(std::string& s, const std::string& what) {
    if (what.empty()) return;
    while (s.size() >= what.size() && s.compare(s.size() - what.size(), what.size(), what) == 0)
        s.erase(s.size() - what.size());
}

int32_t modelToInt(const std::string& s, long long start) {
    if (start < 0 || start > static_cast<long long>(s.size())) return 0;
    uint32_t v = 0;
    for (size_t i = static_cast<size_t>(start); i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = v * 10u + static_cast<uint32_t>(s[i] - '0');
    return static_cast<int32_t>(v);
}

// ---- Argument generation ---------------------------------------------------

class Args {
  public:
    explicit Args(FuzzInput& in) : in_(in) {}

    char letter() { return kAlphabet[in_.ConsumeIntegralInRange<size_t>(0, sizeof kAlphabet - 1)]; }
    // Any char, 0 included, for the operations whose result on 0 is stated.
    char anyChar() { return in_.ConsumeBool() ? letter() : '\0'; }

    // A position or count near the edges of a text of length `len`.
    int position(int len) {
        switch (in_.ConsumeIntegralInRange(0, 10)) {
            case 0:
                return INT_MIN;
            case 1:
                return INT_MAX;
            case 2:
                return -1;
            case 3:
                return 0;
            case 4:
                return len;
            case 5:
                return len - 1;
            case 6:
                return len + 1;
            case 7:
                return INT_MIN + 1;
            case 8:
                return INT_MAX - 1;
            default:
                return in_.ConsumeIntegralInRange(-3, len + 3);
        }
    }
    // A count that may be negative but never allocates much.
    int smallCount() { return in_.ConsumeBool() ? INT_MIN : in_.ConsumeIntegralInRange(-3, 5); }
    int number() {
        switch (in_.ConsumeIntegralInRange(0, 4)) {
            case 0:
                return INT_MIN;
            case 1:
                return INT_MAX;
            case 2:
                return in_.ConsumeIntegralInRange(-2, 12);
            default:
                return in_.ConsumeIntegral<int>();
        }
    }

    // The text whose own buffer C-string arguments may come from this step.
    void aim(MString& t, const std::string& model) {
        own_ = &t;
        ownModel_ = &model;
        ownBuffer_ = nullptr;
    }

    // A short C string, or null, or a piece of the aimed text's own buffer;
    // `store` gets the characters a C-string reader sees.
    const char* text(std::string& store) {
        store.clear();
        switch (in_.ConsumeIntegralInRange(0, 7)) {
            case 0:
                return nullptr;
            case 1:
            case 2:
                return ownText(store);
            default:
                break;
        }
        int n = in_.ConsumeIntegralInRange(0, 4);
        for (int i = 0; i < n; ++i) store += letter();
        return store.c_str();
    }

    // At an offset into the aimed text's buffer, maybe cut short by a NUL.
    // One buffer per step (a second GetBuffer would free the first), and
    // only the first piece cuts, so an earlier piece keeps what it read.
    const char* ownText(std::string& store) {
        const bool fresh = ownBuffer_ == nullptr;
        if (fresh) ownBuffer_ = own_->GetBuffer();
        const size_t len = ownModel_->size();
        const size_t from = in_.ConsumeIntegralInRange<size_t>(0, len);
        if (fresh && in_.ConsumeBool())
            ownBuffer_[in_.ConsumeIntegralInRange<size_t>(from, len)] = '\0';
        store = ownBuffer_ + from;
        return ownBuffer_ + from;
    }

  private:
    FuzzInput& in_;
    MString* own_ = nullptr;
    const std::string* ownModel_ = nullptr;
    char* ownBuffer_ = nullptr;
};

struct Slot {
    MString value;
    std::string model;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Split and Dump report to the console; a failed stream keeps runs fast.
    std::cout.setstate(std::ios::badbit);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    Args arg(in);
    Slot slots[kSlots];
    MStringList list;
    std::vector<std::string> listModel;

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        const int op = in.ConsumeIntegralInRange(0, 40);
        Slot& s = slots[in.ConsumeIntegralInRange(0, kSlots - 1)];
        Slot& other = slots[in.ConsumeIntegralInRange(0, kSlots - 1)];
        const int len = static_cast<int>(s.model.size());
        std::string store, store2;
        arg.aim(s.value, s.model);

        switch (op) {
            case 0: {  // assignment from a C string, or a (possibly empty) construction
                const char* c = arg.text(store);
                if (in.ConsumeBool()) {
                    s.value = c;
                } else {
                    s.value = MString(c);
                }
                s.model = store;
                break;
            }
            case 1: {
                const char* c = arg.text(store);
                int n = arg.position(static_cast<int>(store.size()));
                s.value = MString(c, n);
                s.model = n < 1 ? "" : store.substr(0, static_cast<size_t>(n));
                break;
            }
            case 2: {
                char c = arg.anyChar();
                if (in.ConsumeBool()) {
                    s.value = c;  // the character 0 is kept
                    s.model = std::string(1, c);
                    break;
                }
                int n = arg.smallCount();
                s.value = MString(c, n);
                s.model = n < 1 ? "" : std::string(static_cast<size_t>(n), c);
                break;
            }
            case 3: {
                int n = arg.number();
                switch (in.ConsumeIntegralInRange(0, 2)) {
                    case 0:
                        s.value = MString(n);
                        s.model = decimal(n);
                        break;
                    case 1:
                        s.value = n;
                        s.model = decimal(n);
                        break;
                    default:
                        s.value += n;
                        s.model += decimal(n);
                        break;
                }
                break;
            }
            case 4:  // appending a text, itself included
                s.value += other.value;
                s.model += other.model;
                break;
            case 5:
                s.value += arg.text(store);
                s.model += store;
                break;
            case 6: {
                char c = arg.anyChar();
                s.value += c;
                if (c != '\0') s.model += c;
                break;
            }
            case 7: {
                int start = arg.position(len);
                if (in.ConsumeBool()) {
                    other.value = s.value.Mid(start);
                    other.model = modelMid(s.model, start, LLONG_MAX);
                } else {
                    int count = arg.position(len);
                    other.value = s.value.Mid(start, count);
                    other.model = modelMid(s.model, start, count);
                }
                break;
            }
            case 8: {
                int count = arg.position(len);
                if (in.ConsumeBool()) {
                    other.value = s.value.Left(count);
                    other.model = modelMid(s.model, 0, count);
                } else {
                    other.value = s.value.Right(count);
                    other.model = modelRight(s.model, count);
                }
                break;
            }
            case 9: {
                char c = arg.anyChar();
                int start = arg.position(len);
                CHECK_EQ_INT("Find(char)", modelFind(s.model, std::string(1, c), start),
                             s.value.Find(c, start));
                break;
            }
            case 10: {
                const char* c = arg.text(store);
                int start = arg.position(len);
                CHECK_EQ_INT("Find(text)", modelFind(s.model, store, start),
                             s.value.Find(c, start));
                break;
            }
            case 11: {
                if (in.ConsumeBool()) {
                    char c = arg.anyChar();
                    CHECK_EQ_INT("ReverseFind(char)", modelReverseFind(s.model, std::string(1, c)),
                                 s.value.ReverseFind(c));
                } else {
                    const char* c = arg.text(store);
                    CHECK_EQ_INT("ReverseFind(text)", modelReverseFind(s.model, store),
                                 s.value.ReverseFind(c));
                }
                break;
            }
            case 12: {
                int index = arg.position(len);
                char c = arg.anyChar();
                int expected = -1;
                if (index >= 0) {
                    s.model.insert(std::min<size_t>(static_cast<size_t>(index), s.model.size()), 1,
                                   c);
                    expected = static_cast<int>(s.model.size());
                }
                CHECK_EQ_INT("Insert(char)", expected, s.value.Insert(index, c));
                break;
            }
            case 13: {
                int index = arg.position(len);
                const char* c = arg.text(store);
                int expected = -1;
                if (index >= 0) {
                    s.model.insert(std::min<size_t>(static_cast<size_t>(index), s.model.size()),
                                   store);
                    expected = static_cast<int>(s.model.size());
                }
                CHECK_EQ_INT("Insert(text)", expected, s.value.Insert(index, c));
                break;
            }
            case 14: {
                int index = arg.position(len);
                int count = arg.position(len);
                if (!s.model.empty() && index >= 0 && index <= len && count >= 1)
                    s.model.erase(static_cast<size_t>(index), static_cast<size_t>(count));
                CHECK_EQ_INT("Delete", s.model.size(), s.value.Delete(index, count));
                break;
            }
            case 15: {
                char from = arg.anyChar(), to = arg.anyChar();
                int n = 0;
                for (char& ch : s.model)
                    if (ch == from) ch = to, ++n;
                CHECK_EQ_INT("Replace(char)", n, s.value.Replace(from, to));
                break;
            }
            case 16: {
                const char* from = arg.text(store);
                const char* to = arg.text(store2);
                int n = 0;
                if (!s.model.empty() && !store.empty() && !store2.empty()) {
                    long long pos = 0;
                    for (int p; (p = modelFind(s.model, store, pos)) >= 0; ++n) {
                        s.model.replace(static_cast<size_t>(p), store.size(), store2);
                        pos = p + static_cast<long long>(store2.size());
                    }
                }
                CHECK_EQ_INT("Replace(text)", n, s.value.Replace(from, to));
                break;
            }
            case 17: {
                char c = arg.anyChar();
                int n = 0;
                std::string kept;
                for (char ch : s.model) {
                    if (ch == c) {
                        ++n;
                    } else {
                        kept += ch;
                    }
                }
                s.model = kept;
                CHECK_EQ_INT("Remove", n, s.value.Remove(c));
                break;
            }
            case 18: {
                char c = arg.anyChar();
                const std::string one(1, c);
                if (in.ConsumeBool()) {
                    s.value.TrimLeft(c);
                    modelTrimLeft(s.model, one);
                } else {
                    s.value.TrimRight(c);
                    modelTrimRight(s.model, one);
                }
                break;
            }
            case 19: {
                const char* c = arg.text(store);
                switch (in.ConsumeIntegralInRange(0, 2)) {
                    case 0:
                        s.value.TrimLeft(c);
                        modelTrimLeft(s.model, store);
                        break;
                    case 1:
                        s.value.TrimRight(c);
                        modelTrimRight(s.model, store);
                        break;
                    default:
                        s.value.Trim(c);
                        modelTrimLeft(s.model, store);
                        modelTrimRight(s.model, store);
                }
                break;
            }
            case 20: {
                const std::string passes[] = {" ", "\t", "\n"};
                int form = in.ConsumeIntegralInRange(0, 3);
                if (form == 3) {
                    char c = arg.letter();
                    s.value.Trim(c);
                    modelTrimLeft(s.model, std::string(1, c));
                    modelTrimRight(s.model, std::string(1, c));
                    break;
                }
                if (form == 0) s.value.TrimLeft();
                if (form == 1) s.value.TrimRight();
                if (form == 2) s.value.Trim();
                if (form != 1)
                    for (const auto& p : passes) modelTrimLeft(s.model, p);
                if (form != 0)
                    for (const auto& p : passes) modelTrimRight(s.model, p);
                break;
            }
            case 21: {
                bool upper = in.ConsumeBool();
                upper ? s.value.MakeUpper() : s.value.MakeLower();
                for (char& ch : s.model) {
                    if (upper && ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
                    if (!upper && ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
                }
                break;
            }
            case 22: {
                int form = in.ConsumeIntegralInRange(0, 2);
                if (form == 0) {
                    int expected = modelCompare(s.model, other.model, false);
                    CHECK_EQ_INT("Compare(text)", expected, s.value.Compare(other.value));
                    CHECK_EQ_INT("==", expected == 0, s.value == other.value);
                    CHECK_EQ_INT("<", expected < 0, s.value < other.value);
                    CHECK_EQ_INT(">=", expected >= 0, s.value >= other.value);
                } else {
                    const char* c = arg.text(store);
                    bool noCase = form == 2;
                    int expected = modelCompare(s.model, store, noCase);
                    CHECK_EQ_INT("Compare(C string)", expected,
                                 noCase ? s.value.CompareNoCase(c) : s.value.Compare(c));
                    if (!noCase) {
                        CHECK_EQ_INT("C string >", expected<0, c> s.value);
                        CHECK_EQ_INT("!=", expected != 0, s.value != c);
                    }
                }
                break;
            }
            case 23: {
                int start = arg.position(len);
                char* c = s.value.ToCString(start);
                if (start < 0 || start >= len) {
                    if (c != nullptr) fail("ToCString outside the text", op, "null", c);
                } else {
                    if (c == nullptr) fail("ToCString inside the text", op, s.model, "null");
                    CHECK_EQ_STR("ToCString", cstr(s.model.substr(static_cast<size_t>(start))), c);
                }
                delete[] c;
                std::ostringstream out;
                out << s.value;
                CHECK_EQ_STR("operator<<", cstr(s.model), out.str());
                break;
            }
            case 24: {
                int minLength = in.ConsumeBool() ? INT_MIN : in.ConsumeIntegralInRange(-4, 64);
                char* buffer = s.value.GetBuffer(minLength);
                size_t n = static_cast<size_t>(std::max(len, minLength));
                if (buffer == nullptr) fail("GetBuffer", op, "a buffer", "null");
                std::string image(n, '\0');
                image.replace(0, s.model.size(), s.model);
                CHECK_EQ_STR("GetBuffer contents", image, std::string(buffer, n));
                CHECK_EQ_INT("GetBuffer terminator", 0, buffer[n]);
                if (in.ConsumeBool()) break;  // left for the destructor or the next edit
                for (int w = in.ConsumeIntegralInRange(0, 3); w > 0 && n > 0; --w) {
                    size_t at = in.ConsumeIntegralInRange<size_t>(0, n - 1);
                    char c = arg.anyChar();
                    buffer[at] = c;
                    image[at] = c;
                }
                s.value.ReleaseBuffer(arg.number());
                s.model = image.substr(0, image.find('\0'));
                if (s.value.PeekBuffer() != nullptr) fail("ReleaseBuffer", op, "null", "a buffer");
                break;
            }
            case 25: {
                int i = arg.position(len);
                bool inside = i >= 0 && i < len;
                CHECK_EQ_INT("GetAt", inside ? s.model[static_cast<size_t>(i)] : 0,
                             s.value.GetAt(i));
                if (in.ConsumeBool()) {
                    char c = arg.anyChar();
                    s.value.SetAt(i, c);
                    if (inside) s.model[static_cast<size_t>(i)] = c;
                } else {
                    char* p = s.value[i];
                    if (inside != (p != nullptr))
                        fail("operator[]", op, inside ? "a pointer" : "null", "");
                    if (p != nullptr) *p = s.model[static_cast<size_t>(i)] = arg.anyChar();
                }
                break;
            }
            case 26:
                s.value.Reverse();
                s.model.assign(s.model.rbegin(), s.model.rend());
                break;
            case 27: {
                int start = arg.position(len);
                CHECK_EQ_INT("ToInt", modelToInt(s.model, start), s.value.ToInt(start));
                break;
            }
            case 28: {
                if (in.ConsumeBool()) {
                    MString copy(s.value);
                    other.value = copy;
                    other.model = s.model;
                } else {
                    MString& self = s.value;
                    s.value = self;
                }
                break;
            }
            case 29: {
                const char* c = arg.text(store);
                switch (in.ConsumeIntegralInRange(0, 5)) {
                    case 0:
                        other.value = s.value + c;
                        other.model = s.model + store;
                        break;
                    case 1:
                        other.value = c + s.value;
                        other.model = store + s.model;
                        break;
                    case 2: {
                        char ch = arg.anyChar();  // kept, as by operator=(char)
                        other.value = ch + s.value;
                        other.model = ch + s.model;
                        break;
                    }
                    case 3: {
                        int n = arg.number();
                        other.value = n + s.value;
                        other.model = decimal(n) + s.model;
                        break;
                    }
                    case 4: {
                        int n = arg.number();
                        other.value = s.value + n;
                        other.model = s.model + decimal(n);
                        break;
                    }
                    default: {
                        std::string before = s.model + other.model;
                        other.value = s.value + other.value;
                        other.model = before;
                    }
                }
                break;
            }
            case 30: {
                const char* set = arg.text(store);
                if (in.ConsumeBool()) {
                    std::string kept;
                    for (char ch : s.model)
                        if (store.find(ch) == std::string::npos) kept += ch;
                    other.value = s.value.DropChars(set);
                    other.model = kept;
                } else {
                    int expected = -1;
                    for (size_t i = 0; i < store.size() && expected < 0 && !s.model.empty(); ++i)
                        if (s.model.find(store[i]) != std::string::npos)
                            expected = static_cast<int>(i);
                    CHECK_EQ_INT("WhichOf", expected, s.value.WhichOf(set));
                    MString kept = s.value.KeepChars(set);  // implementer's rule: only run it
                    (void)kept.GetLength();
                }
                break;
            }
            case 31: {
                int n = arg.number();
                const char* c = arg.text(store);
                s.value.Format("%d|%s", n, c != nullptr ? c : "");
                s.model = std::to_string(n) + "|" + store;
                break;
            }
            case 32:
                s.value.Clear();
                s.model.clear();
                break;

            // ---- MStringList
            case 33: {
                if (in.ConsumeBool()) {
                    CHECK_EQ_INT("Add", listModel.size(), list.Add(s.value));
                } else {
                    CHECK_EQ_INT("Add(C string)", listModel.size(), list.Add(arg.text(store)));
                    listModel.push_back(store);
                    break;
                }
                listModel.push_back(s.model);
                break;
            }
            case 34: {
                int size = static_cast<int>(listModel.size());
                int index =
                    in.ConsumeBool() ? arg.position(size) : in.ConsumeIntegralInRange(0, size + 4);
                int count = arg.smallCount();
                if (index > size + 8) index = size + 8;  // a gap is filled node by node
                // The inserted text may be an element of the list itself.
                const MString* value = &s.value;
                std::string valueModel = s.model;
                if (size > 0 && in.ConsumeBool()) {
                    const int j = in.ConsumeIntegralInRange(0, size - 1);
                    value = list.ElementAt(j);
                    valueModel = listModel[static_cast<size_t>(j)];
                }
                list.InsertAt(index, *value, count);
                modelInsert(listModel, index, valueModel, count);
                break;
            }
            case 35: {
                int size = static_cast<int>(listModel.size());
                int index = arg.position(size);
                int count = arg.position(size);
                list.RemoveAt(index, count);
                if (size > 0 && index >= 0 && index <= size && count >= 1)
                    listModel.erase(listModel.begin() + index,
                                    listModel.begin() + index + std::min(count, size - index));
                break;
            }
            case 36: {
                int size = static_cast<int>(listModel.size());
                int index = arg.position(size);
                bool inside = index >= 0 && index < size;
                CHECK_EQ_STR("list GetAt", inside ? listModel[static_cast<size_t>(index)] : "",
                             contents(list.GetAt(index)));
                MString* element = list.ElementAt(index);
                if (inside != (element != nullptr))
                    fail("ElementAt", op, inside ? "element" : "null", "");
                if (in.ConsumeBool()) {
                    // From the slot, an element of the list itself, or a C
                    // string in the element's own buffer.
                    const int form = in.ConsumeIntegralInRange(0, 2);
                    if (form == 2 && element != nullptr) {
                        std::string& model = listModel[static_cast<size_t>(index)];
                        arg.aim(*element, model);
                        list.SetAt(index, arg.ownText(store));
                        model = store;
                    } else if (form == 1 && size > 0) {
                        const int j = in.ConsumeIntegralInRange(0, size - 1);
                        list.SetAt(index, *list.ElementAt(j));
                        if (inside)
                            listModel[static_cast<size_t>(index)] =
                                listModel[static_cast<size_t>(j)];
                    } else {
                        list.SetAt(index, s.value);
                        if (inside) listModel[static_cast<size_t>(index)] = s.model;
                    }
                } else if (element != nullptr) {
                    const char c = arg.letter();
                    *element += c;
                    listModel[static_cast<size_t>(index)] += c;
                }
                break;
            }
            case 37: {
                int size = static_cast<int>(listModel.size());
                MStringList copy(list);
                // The list itself as its own argument, or a copy of it.
                const MStringList& source = in.ConsumeBool() ? list : copy;
                if (in.ConsumeBool()) {
                    CHECK_EQ_INT("Append", 2 * size, list.Append(source));
                    std::vector<std::string> appended(listModel);
                    listModel.insert(listModel.end(), appended.begin(), appended.end());
                } else {
                    int index = in.ConsumeIntegralInRange(-3, size + 2);
                    list.InsertAt(index, source);
                    const ListModel inserted(listModel);
                    modelInsertEach(listModel, index, inserted);
                }
                break;
            }
            case 38: {
                int size = static_cast<int>(listModel.size());
                // The text split may be an element of the list itself.
                const MString* text = &s.value;
                std::string textModel = s.model;
                if (size > 0 && in.ConsumeBool()) {
                    const int j = in.ConsumeIntegralInRange(0, size - 1);
                    text = list.ElementAt(j);
                    textModel = listModel[static_cast<size_t>(j)];
                }
                char delimiter = arg.anyChar();
                int start = arg.position(static_cast<int>(textModel.size()));
                int index = in.ConsumeIntegralInRange(-3, size + 2);
                list.Split(*text, delimiter, start, index);
                std::vector<std::string> pieces;
                const std::string d(1, delimiter);
                long long pos = start < 0 ? 0 : start;
                for (int f; (f = modelFind(textModel, d, pos)) >= 0; pos = f + 1)
                    pieces.push_back(modelMid(textModel, pos, f - pos));
                std::string last =
                    modelRight(textModel, static_cast<long long>(textModel.size()) - pos);
                if (!last.empty()) pieces.push_back(last);
                modelInsertEach(listModel, index, pieces);
                break;
            }
            case 39: {
                if (in.ConsumeBool()) {
                    MStringList& self = list;
                    list = self;
                } else {
                    MStringList saved;
                    saved = list;
                    list.RemoveAll();
                    CHECK_EQ_INT("RemoveAll", 0, list.GetSize());
                    if (in.ConsumeBool()) {
                        listModel.clear();
                    } else {
                        list = saved;
                    }
                }
                break;
            }
            default:
                list.Dump();
                s.value.Dump();
                break;
        }

        // Every slot and the list must match the model after every step.
        for (Slot& each : slots) {
            CHECK_EQ_STR("text", each.model, contents(each.value));
            CHECK_EQ_INT("GetLength", each.model.size(), each.value.GetLength());
            CHECK_EQ_INT("IsEmpty", each.model.empty(), each.value.IsEmpty());
            if (each.model.size() > kMaxText) {
                each.value.Delete(kMaxText / 2, INT_MAX);
                each.model.resize(kMaxText / 2);
            }
        }
        CHECK_EQ_INT("list size", listModel.size(), list.GetSize());
        CHECK_EQ_INT("list upper bound", static_cast<int>(listModel.size()) - 1,
                     list.GetUpperBound());
        for (size_t i = 0; i < listModel.size(); ++i)
            CHECK_EQ_STR("list element", listModel[i], contents(list.GetAt(static_cast<int>(i))));
        if (listModel.size() > kMaxList) {
            list.RemoveAt(kMaxList / 2, INT_MAX);
            listModel.resize(kMaxList / 2);
        }
    }
    return 0;
}
