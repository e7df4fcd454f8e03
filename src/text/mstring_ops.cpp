// Comparison, substrings, in-place editing, parsing, formatting and the owned
// character buffer of MString.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <new>

#include "text/mstring.h"
#include "text/mstring_detail.h"

namespace evoplug {

namespace {

// Bytes above 127 order below the ASCII range, as signed chars do.
int Signed(char c) { return static_cast<signed char>(c); }

char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Walks two texts side by side; `next(c)` gives the other text's next
// character, or false once it has ended: a chain ends at its last node, so a
// 0 in it is a character, while a C string ends at its NUL.
template <typename Fold, typename Next>
int CompareChain(const MStringNode* n, Next next, Fold fold) {
    int i = 0;
    char theirs = '\0';
    for (; n != nullptr; n = n->next, ++i) {
        if (!next(theirs)) {
            // The other text is a proper prefix: the answer is our length.
            int length = i;
            for (; n != nullptr; n = n->next) ++length;
            return length;
        }
        const int a = Signed(fold(n->ch));
        const int b = Signed(fold(theirs));
        if (a != b) return a > b ? i + 1 : -(i + 1);
    }
    return next(theirs) ? -(i + 1) : 0;
}

// The characters of a C string, for CompareChain.
auto CStringSource(const char* s) {
    return [p = s != nullptr ? s : ""](char& c) mutable {
        if (*p == '\0') return false;
        c = *p++;
        return true;
    };
}

char Same(char c) { return c; }

}  // namespace

int MString::Compare(const MString& other) const {
    const MStringNode* theirs = other.head;
    return CompareChain(
        head,
        [&theirs](char& c) {
            if (theirs == nullptr) return false;
            c = theirs->ch;
            theirs = theirs->next;
            return true;
        },
        Same);
}

int MString::Compare(const char* s) const { return CompareChain(head, CStringSource(s), Same); }

int MString::CompareNoCase(const char* s) const {
    return CompareChain(head, CStringSource(s), FoldLower);
}

bool operator==(const MString& a, const MString& b) { return a.Compare(b) == 0; }
bool operator!=(const MString& a, const MString& b) { return a.Compare(b) != 0; }
bool operator<(const MString& a, const MString& b) { return a.Compare(b) < 0; }
bool operator>(const MString& a, const MString& b) { return a.Compare(b) > 0; }
bool operator<=(const MString& a, const MString& b) { return a.Compare(b) <= 0; }
bool operator>=(const MString& a, const MString& b) { return a.Compare(b) >= 0; }
bool operator==(const MString& a, const char* s) { return a.Compare(s) == 0; }
bool operator!=(const MString& a, const char* s) { return a.Compare(s) != 0; }
bool operator<(const MString& a, const char* s) { return a.Compare(s) < 0; }
bool operator>(const MString& a, const char* s) { return a.Compare(s) > 0; }
bool operator<=(const MString& a, const char* s) { return a.Compare(s) <= 0; }
bool operator>=(const MString& a, const char* s) { return a.Compare(s) >= 0; }
bool operator==(const char* s, const MString& b) { return b == s; }
bool operator!=(const char* s, const MString& b) { return b != s; }
bool operator<(const char* s, const MString& b) { return b > s; }
bool operator>(const char* s, const MString& b) { return b < s; }
bool operator<=(const char* s, const MString& b) { return b >= s; }
bool operator>=(const char* s, const MString& b) { return b <= s; }

MString MString::Mid(int start) const {
    MString result;
    for (const MStringNode* n = NodeAt(start < 0 ? 0 : start); n != nullptr; n = n->next) {
        result.AppendNode(n->ch);
    }
    return result;
}

MString MString::Mid(int start, int count) const {
    MString result;
    if (count < 1) return result;
    const MStringNode* n = NodeAt(start < 0 ? 0 : start);
    for (; n != nullptr && count > 0; n = n->next, --count) result.AppendNode(n->ch);
    return result;
}

MString MString::Left(int count) const { return Mid(0, count); }

MString MString::Right(int count) const {
    if (count <= 0) return MString();
    const int length = GetLength();
    return Mid(count >= length ? 0 : length - count);
}

MString MString::DropChars(const char* set) const {
    bool drop[256] = {};
    for (const char* p = set; p != nullptr && *p != '\0'; ++p)
        drop[static_cast<unsigned char>(*p)] = true;
    MString result;
    for (const MStringNode* n = head; n != nullptr; n = n->next) {
        if (!drop[static_cast<unsigned char>(n->ch)]) result.AppendNode(n->ch);
    }
    return result;
}

// Each character is taken once per occurrence in `set`, and the walk stops as
// soon as a character leaves the result empty: a text whose first character
// is not in `set` yields the empty text; otherwise every later character in
// `set` is taken wherever it stands.
MString MString::KeepChars(const char* set) const {
    int times[256] = {};
    for (const char* p = set; p != nullptr && *p != '\0'; ++p)
        ++times[static_cast<unsigned char>(*p)];
    MString result;
    for (const MStringNode* n = head; n != nullptr; n = n->next) {
        for (int k = times[static_cast<unsigned char>(n->ch)]; k > 0; --k) result.AppendNode(n->ch);
        if (result.IsEmpty()) break;
    }
    return result;
}

void MString::MakeUpper() {
    for (MStringNode* n = head; n != nullptr; n = n->next) n->ch = FoldUpper(n->ch);
}

void MString::MakeLower() {
    for (MStringNode* n = head; n != nullptr; n = n->next) n->ch = FoldLower(n->ch);
}

int MString::Replace(char from, char to) {
    int count = 0;
    for (MStringNode* n = head; n != nullptr; n = n->next) {
        if (n->ch == from) {
            n->ch = to;
            ++count;
        }
    }
    return count;
}

int MString::Remove(char c) {
    int removed = 0;
    MStringNode* kept = nullptr;  // last node that stays
    MStringNode* n = head;
    while (n != nullptr) {
        MStringNode* next = n->next;
        if (n->ch == c) {
            if (kept != nullptr) {
                kept->next = next;
            } else {
                head = next;
            }
            delete n;
            ++removed;
        } else {
            kept = n;
        }
        n = next;
    }
    if (removed > 0) {
        tail = kept;
        FreeBuffer();
    }
    return removed;
}

int MString::Insert(int index, char c) {
    if (index < 0) return -1;
    MStringNode* n = new MStringNode{nullptr, c};
    InsertChain(index, n, n);
    return GetLength();
}

int MString::Insert(int index, const char* s) {
    if (index < 0) return -1;
    MString piece(s);
    if (!piece.IsEmpty()) {
        InsertChain(index, piece.head, piece.tail);
        piece.head = nullptr;
        piece.tail = nullptr;
    }
    return GetLength();
}

int MString::Delete(int index, int count) {
    if (head == nullptr || index < 0 || count < 1) return GetLength();
    MStringNode* before = nullptr;
    if (index > 0) {
        before = NodeAt(index - 1);
        if (before == nullptr || before->next == nullptr) return GetLength();
    }
    MStringNode* last = before != nullptr ? before->next : head;
    for (int i = 1; i < count && last->next != nullptr; ++i) last = last->next;
    CutRun(before, last);
    return GetLength();
}

int MString::ToInt(int start) const {
    if (start < 0) return 0;
    // Unsigned arithmetic: long runs wrap modulo 2^32 instead of overflowing.
    uint32_t value = 0;
    for (const MStringNode* n = NodeAt(start); n != nullptr && n->ch >= '0' && n->ch <= '9';
         n = n->next) {
        value = value * 10u + static_cast<uint32_t>(n->ch - '0');
    }
    return static_cast<int32_t>(value);
}

void MString::Format(const char* format, ...) {
    char work[2000];
    work[0] = '\0';
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        const int written = std::vsnprintf(work, sizeof work, format, args);
        va_end(args);
        if (written < 0) work[0] = '\0';
    }
    work[sizeof work - 1] = '\0';
    *this = work;
}

char* MString::GetBuffer(int minLength) {
    FreeBuffer();
    const int length = GetLength();
    const int size = length > minLength ? length : minLength;
    // Zero-filled, so a NUL sits after the characters and at index `size`.
    buffer = new (std::nothrow) char[static_cast<size_t>(size) + 1]();
    if (buffer == nullptr) return nullptr;
    bufferLength = size;
    char* p = buffer;
    for (const MStringNode* n = head; n != nullptr; n = n->next) *p++ = n->ch;
    return buffer;
}

char* MString::GetBuffer() { return GetBuffer(GetLength()); }

MString& MString::ReleaseBuffer(int /*newLength*/) {
    if (buffer == nullptr) return *this;
    // Taken back as a C string: its first NUL, a character 0 included, ends
    // it, and never past bufferLength, even if the caller overwrote the final NUL.
    int length = 0;
    while (length < bufferLength && buffer[length] != '\0') ++length;
    MString content(buffer, length);
    Adopt(content);  // frees the buffer with the old chain
    return *this;
}

}  // namespace evoplug
