// Search, replacement and trimming of MString. Text patterns are matched with
// a prefix-function automaton in one walk of the chain, so no operation here
// is slower than linear in the text and pattern lengths.
#include <vector>

#include "text/mstring.h"
#include "text/mstring_detail.h"

namespace evoplug {

using detail::BorderTable;
using detail::CStrLen;
using detail::MatchStep;
using detail::StableArg;

int MString::Find(char c, int start) const {
    int pos = start < 0 ? 0 : start;
    for (const MStringNode* n = NodeAt(pos); n != nullptr; n = n->next, ++pos) {
        if (n->ch == c) return pos;
    }
    return -1;
}

int MString::Find(const char* s, int start) const {
    const int m = CStrLen(s);
    if (m == 0 || head == nullptr) return -1;
    const std::vector<int> border = BorderTable(s, m);
    int pos = start < 0 ? 0 : start;
    int q = 0;
    for (const MStringNode* n = NodeAt(pos); n != nullptr; n = n->next, ++pos) {
        q = MatchStep(s, border, q, n->ch);
        if (q == m) return pos - m + 1;
    }
    return -1;
}

int MString::ReverseFind(char c) const {
    int found = -1;
    int pos = 0;
    for (const MStringNode* n = head; n != nullptr; n = n->next, ++pos) {
        if (n->ch == c) found = pos;
    }
    return found;
}

int MString::ReverseFind(const char* s) const {
    const int m = CStrLen(s);
    if (m == 0) return -1;
    const std::vector<int> border = BorderTable(s, m);
    int found = -1;
    int pos = 0;
    int q = 0;
    for (const MStringNode* n = head; n != nullptr; n = n->next, ++pos) {
        q = MatchStep(s, border, q, n->ch);
        if (q == m) {
            found = pos - m + 1;
            q = border[static_cast<size_t>(m - 1)];  // overlapping matches count
        }
    }
    return found;
}

int MString::WhichOf(const char* set) const {
    if (head == nullptr || set == nullptr) return -1;
    bool present[256] = {};
    for (const MStringNode* n = head; n != nullptr; n = n->next) {
        present[static_cast<unsigned char>(n->ch)] = true;
    }
    for (int i = 0; set[i] != '\0'; ++i) {
        if (present[static_cast<unsigned char>(set[i])]) return i;
    }
    return -1;
}

int MString::Replace(const char* fromText, const char* toText) {
    const int m = CStrLen(fromText);
    if (head == nullptr || m == 0 || CStrLen(toText) == 0) return 0;
    const StableArg fromArg(fromText, buffer, bufferLength);
    const StableArg toArg(toText, buffer, bufferLength);
    const char* from = fromArg.get();
    const std::vector<int> border = BorderTable(from, m);
    // The last m + 1 nodes walked since the last replacement, so the node
    // before a match is at hand when the match completes.
    std::vector<MStringNode*> recent(static_cast<size_t>(m) + 1, nullptr);
    const size_t ring = recent.size();
    MStringNode* anchor = nullptr;  // node before the walked stretch; null: head
    size_t walked = 0;
    int q = 0;
    int count = 0;
    MStringNode* n = head;
    while (n != nullptr) {
        recent[walked % ring] = n;
        q = MatchStep(from, border, q, n->ch);
        if (q < m) {
            ++walked;
            n = n->next;
            continue;
        }
        MStringNode* before = walked >= static_cast<size_t>(m)
                                  ? recent[(walked - static_cast<size_t>(m)) % ring]
                                  : anchor;
        MStringNode* after = n->next;
        CutRun(before, n);
        MString piece(toArg.get());
        MStringNode* pieceTail = piece.tail;
        if (before != nullptr) {
            before->next = piece.head;
        } else {
            head = piece.head;
        }
        pieceTail->next = after;
        if (after == nullptr) tail = pieceTail;
        piece.head = nullptr;
        piece.tail = nullptr;
        ++count;
        // The inserted text is never searched again: matching restarts behind it.
        anchor = pieceTail;
        walked = 0;
        q = 0;
        n = after;
    }
    return count;
}

void MString::TrimLeft(char c) {
    MStringNode* last = nullptr;
    for (MStringNode* n = head; n != nullptr && n->ch == c; n = n->next) last = n;
    if (last != nullptr) CutRun(nullptr, last);
}

void MString::TrimRight(char c) {
    if (head == nullptr) return;
    MStringNode* kept = nullptr;  // last node that is not `c`
    for (MStringNode* n = head; n != nullptr; n = n->next) {
        if (n->ch != c) kept = n;
    }
    if (kept != tail) CutRun(kept, tail);
}

void MString::TrimLeft(const char* text) {
    // An empty text would match for ever; it changes nothing.
    const int m = CStrLen(text);
    if (m == 0) return;
    const StableArg arg(text, buffer, bufferLength);
    const char* s = arg.get();
    MStringNode* last = nullptr;  // end of the last whole copy of `s`
    int j = 0;
    for (MStringNode* n = head; n != nullptr && n->ch == s[j]; n = n->next) {
        if (++j == m) {
            last = n;
            j = 0;
        }
    }
    if (last != nullptr) CutRun(nullptr, last);
}

void MString::TrimRight(const char* text) {
    const int m = CStrLen(text);
    if (m == 0 || head == nullptr) return;
    const StableArg arg(text, buffer, bufferLength);
    const char* s = arg.get();
    // Mark every position where `s` occurs, then step back from the end in
    // whole copies of `s` while the marks allow it.
    const std::vector<int> border = BorderTable(s, m);
    std::vector<bool> startsMatch;
    int q = 0;
    for (const MStringNode* n = head; n != nullptr; n = n->next) {
        startsMatch.push_back(false);
        q = MatchStep(s, border, q, n->ch);
        if (q == m) {
            startsMatch[startsMatch.size() - static_cast<size_t>(m)] = true;
            q = border[static_cast<size_t>(m - 1)];
        }
    }
    const int length = static_cast<int>(startsMatch.size());
    int keep = length;
    while (keep >= m && startsMatch[static_cast<size_t>(keep - m)]) keep -= m;
    if (keep == length) return;
    CutRun(keep == 0 ? nullptr : NodeAt(keep - 1), tail);
}

void MString::TrimLeft() {
    TrimLeft(' ');
    TrimLeft('\t');
    TrimLeft('\n');
}

void MString::TrimRight() {
    TrimRight(' ');
    TrimRight('\t');
    TrimRight('\n');
}

void MString::Trim() {
    TrimLeft();
    TrimRight();
}

void MString::Trim(char c) {
    TrimLeft(c);
    TrimRight(c);
}

void MString::Trim(const char* text) {
    // Held across both halves: the left one may free the buffer `text` lies in.
    const StableArg arg(text, buffer, bufferLength);
    TrimLeft(arg.get());
    TrimRight(arg.get());
}

}  // namespace evoplug
