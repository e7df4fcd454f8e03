#include "text/mstring.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <iostream>

#include "text/mstring_detail.h"

namespace evoplug {

namespace {

// Truncates toward zero; values outside the 32-bit range saturate and NaN
// gives 0, so the conversion is always defined.
int TruncToInt(double x) {
    if (x > -2147483649.0 && x < 2147483648.0) return static_cast<int>(x);
    if (x >= 2147483648.0) return INT_MAX;
    if (x <= -2147483649.0) return INT_MIN;
    return 0;
}

}  // namespace

MString::MString()
    : buffer(nullptr),
      head(nullptr),
      tail(nullptr),
      precision(kDefaultPrecision),
      bufferLength(-1) {}

MString::MString(const MString& other) : MString() { AppendCopy(other); }

MString::MString(const char* s) : MString() { AppendChars(s, INT_MAX); }

MString::MString(const char* s, int n) : MString() { AppendChars(s, n); }

MString::MString(char c, int count) : MString() {
    for (int i = 0; i < count; ++i) AppendNode(c);
}

MString::MString(int n) : MString() { AppendDecimal(n); }

MString::MString(double x) : MString() { AppendFloat(x); }

MString::~MString() { Clear(); }

MString& MString::operator=(const MString& other) {
    if (this == &other) return *this;
    MString copy(other);
    Adopt(copy);
    return *this;
}

MString& MString::operator=(const char* s) {
    // Built before the old chain goes: `s` may point into our own buffer.
    MString copy(s);
    Adopt(copy);
    return *this;
}

MString& MString::operator=(char c) {
    MString copy(c, 1);  // unlike +=, the character 0 is kept
    Adopt(copy);
    return *this;
}

MString& MString::operator=(int n) {
    MString copy(n);
    Adopt(copy);
    return *this;
}

MString& MString::operator=(double x) {
    MString copy;
    copy.precision = precision;
    copy.AppendFloat(x);
    Adopt(copy);
    return *this;
}

MString& MString::operator=(float x) { return *this = static_cast<double>(x); }

MString& MString::operator+=(const MString& other) {
    AppendCopy(other);
    return *this;
}

MString& MString::operator+=(const char* s) {
    AppendChars(s, INT_MAX);
    return *this;
}

MString& MString::operator+=(char c) {
    if (c != '\0') AppendNode(c);
    return *this;
}

MString& MString::operator+=(int n) {
    AppendDecimal(n);
    return *this;
}

MString& MString::operator+=(double x) {
    AppendFloat(x);
    return *this;
}

MString& MString::operator+=(float x) { return *this += static_cast<double>(x); }

int MString::GetLength() const {
    int length = 0;
    for (const MStringNode* n = head; n != nullptr; n = n->next) ++length;
    return length;
}

void MString::Clear() {
    MStringNode* n = head;
    while (n != nullptr) {
        MStringNode* next = n->next;
        delete n;
        n = next;
    }
    head = nullptr;
    tail = nullptr;
    FreeBuffer();
}

char MString::GetAt(int i) const {
    if (i < 0) return '\0';
    const MStringNode* n = NodeAt(i);
    return n != nullptr ? n->ch : '\0';
}

char* MString::operator[](int i) {
    if (i < 0) return nullptr;
    MStringNode* n = NodeAt(i);
    return n != nullptr ? &n->ch : nullptr;
}

void MString::SetAt(int i, char c) {
    if (char* p = (*this)[i]) *p = c;
}

void MString::SetPrecision(int p) {
    if (p <= 9) precision = p;
}

void MString::Reverse() {
    MStringNode* previous = nullptr;
    MStringNode* n = head;
    tail = head;
    while (n != nullptr) {
        MStringNode* next = n->next;
        n->next = previous;
        previous = n;
        n = next;
    }
    head = previous;
}

MString MString::GetVersion() { return MString("0.61"); }

MString MString::GetNotice() {
    return MString(
        "MString 0.61 - text type of the evoplug plug-in.\n"
        "A text is a chain of one-character nodes; positions count from 0.\n"
        "Texts handed to the engine are fresh copies that the engine keeps.\n");
}

void MString::Dump() const {
    std::cout << "Head = " << static_cast<const void*>(head) << std::endl;
    for (const MStringNode* n = head; n != nullptr; n = n->next) {
        std::cout << n->ch << " " << static_cast<const void*>(n->next) << std::endl;
    }
    std::cout << "Tail = " << static_cast<const void*>(tail) << std::endl;
}

char* MString::ToCString(int start) const {
    const int length = GetLength();
    if (start < 0 || start >= length) return nullptr;
    char* out = new char[static_cast<size_t>(length - start) + 1];
    char* p = out;
    for (const MStringNode* n = NodeAt(start); n != nullptr; n = n->next) *p++ = n->ch;
    *p = '\0';
    return out;
}

// Written as the C string the engine would be handed: a character 0 ends it.
std::ostream& operator<<(std::ostream& os, const MString& s) {
    for (const MStringNode* n = s.head; n != nullptr && n->ch != '\0'; n = n->next) os.put(n->ch);
    return os;
}

// A 0 byte is dropped, as += drops it: kept, it would end the text on output
// and to the engine, hiding everything read after it.
std::istream& operator>>(std::istream& is, MString& s) {
    char c;
    while (is.get(c)) s += c;
    return is;
}

std::istream& ReadLine(std::istream& is, MString& s) {
    char c;
    while (is.get(c)) {
        s += c;
        if (c == '\n') break;
    }
    return is;
}

void MString::AppendNode(char c) {
    MStringNode* n = new MStringNode{nullptr, c};
    if (tail == nullptr) {
        head = n;
    } else {
        tail->next = n;
    }
    tail = n;
}

void MString::AppendChars(const char* s, int n) {
    if (s == nullptr) return;
    for (int i = 0; i < n && s[i] != '\0'; ++i) AppendNode(s[i]);
}

void MString::AppendCopy(const MString& other) {
    // Stop at the source's current tail so that appending a text to itself
    // copies its former content once.
    const MStringNode* last = other.tail;
    for (const MStringNode* n = other.head; n != nullptr; n = n->next) {
        AppendNode(n->ch);
        if (n == last) break;
    }
}

void MString::AppendDecimal(int n) {
    if (n <= 0) return;
    char digits[10];
    int count = 0;
    for (auto v = static_cast<uint32_t>(n); v != 0; v /= 10) {
        digits[count++] = static_cast<char>('0' + v % 10);
    }
    while (count > 0) AppendNode(digits[--count]);
}

void MString::AppendFloat(double x) {
    const int whole = TruncToInt(x);
    AppendDecimal(whole);
    if (precision < 1) return;
    double scale = 1.0;
    for (int i = 0; i < precision; ++i) scale *= 10.0;
    // Negative values have no integer digits; their fraction is written as
    // the digits of its magnitude. Non-finite or saturated values get zeros.
    double fraction = x - whole;
    if (!(fraction > -1.0 && fraction < 1.0)) fraction = 0.0;
    auto digitsValue = static_cast<int64_t>(std::fabs(fraction * scale));
    char digits[9];
    for (int i = precision - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + digitsValue % 10);
        digitsValue /= 10;
    }
    AppendNode('.');
    for (int i = 0; i < precision; ++i) AppendNode(digits[i]);
}

void MString::Adopt(MString& from) {
    Clear();
    head = from.head;
    tail = from.tail;
    from.head = nullptr;
    from.tail = nullptr;
}

void MString::FreeBuffer() {
    delete[] buffer;
    buffer = nullptr;
    bufferLength = -1;
}

MStringNode* MString::NodeAt(int i) const {
    MStringNode* n = head;
    for (; i > 0 && n != nullptr; --i) n = n->next;
    return n;
}

int MString::CutRun(MStringNode* before, MStringNode* last) {
    MStringNode* n = before != nullptr ? before->next : head;
    MStringNode* after = last->next;
    if (before != nullptr) {
        before->next = after;
    } else {
        head = after;
    }
    if (after == nullptr) tail = before;
    int freed = 0;
    while (n != after) {
        MStringNode* next = n->next;
        delete n;
        n = next;
        ++freed;
    }
    FreeBuffer();
    return freed;
}

void MString::InsertChain(int index, MStringNode* first, MStringNode* last) {
    if (head == nullptr) {
        head = first;
        tail = last;
        return;
    }
    if (index <= 0) {
        last->next = head;
        head = first;
        return;
    }
    MStringNode* before = NodeAt(index - 1);
    if (before == nullptr) before = tail;
    last->next = before->next;
    before->next = first;
    if (before == tail) tail = last;
}

namespace {
// A copy of the left operand, as the matching construction makes it, with
// the right one appended.
template <typename Left, typename Right>
MString joined(const Left& a, const Right& b) {
    MString result(a);
    result += b;
    return result;
}
}  // namespace

MString operator+(const MString& a, const MString& b) { return joined(a, b); }
MString operator+(const MString& a, char c) { return joined(a, c); }
MString operator+(const MString& a, const char* s) { return joined(a, s); }
MString operator+(const char* s, const MString& b) { return joined(s, b); }
MString operator+(int n, const MString& b) { return joined(n, b); }
MString operator+(const MString& a, int n) { return joined(a, n); }

MString operator+(char c, const MString& b) {
    MString left;
    left = c;  // as the assignment makes it: MString(c) would be its decimal value
    return joined(left, b);
}

}  // namespace evoplug
