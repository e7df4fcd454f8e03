#include "text/mstring_list.h"

#include <iostream>

namespace evoplug {

namespace {

// A detached run of nodes, built before anything is linked into a list so
// that the source may be the list itself.
struct Run {
    MStringListNode* first = nullptr;
    MStringListNode* last = nullptr;

    void Push(const MString& value) {
        auto* node = new MStringListNode{nullptr, value};
        if (last == nullptr) {
            first = node;
        } else {
            last->next = node;
        }
        last = node;
    }
};

void FreeNodes(MStringListNode* n) {
    while (n != nullptr) {
        MStringListNode* next = n->next;
        delete n;
        n = next;
    }
}

Run CopyOf(const MStringListNode* n) {
    Run run;
    for (; n != nullptr; n = n->next) run.Push(n->value);
    return run;
}

}  // namespace

MStringList::MStringList() : head(nullptr), tail(nullptr) {}

MStringList::MStringList(const MStringList& other) : MStringList() {
    Run run = CopyOf(other.head);
    head = run.first;
    tail = run.last;
}

MStringList::MStringList(const MString& value) : MStringList() { InsertAt(0, value, 1); }

MStringList::~MStringList() { RemoveAll(); }

MStringList& MStringList::operator=(const MStringList& other) {
    if (this == &other) return *this;
    Run run = CopyOf(other.head);
    RemoveAll();
    head = run.first;
    tail = run.last;
    return *this;
}

MStringList& MStringList::RemoveAll() {
    FreeNodes(head);
    head = nullptr;
    tail = nullptr;
    return *this;
}

int MStringList::GetSize() const {
    int size = 0;
    for (const MStringListNode* n = head; n != nullptr; n = n->next) ++size;
    return size;
}

MStringListNode* MStringList::NodeAt(int index) const {
    if (index < 0) return nullptr;
    MStringListNode* n = head;
    for (; index > 0 && n != nullptr; --index) n = n->next;
    return n;
}

MString MStringList::GetAt(int index) const {
    const MStringListNode* n = NodeAt(index);
    return n != nullptr ? n->value : MString();
}

MString* MStringList::ElementAt(int index) {
    MStringListNode* n = NodeAt(index);
    return n != nullptr ? &n->value : nullptr;
}

void MStringList::SetAt(int index, const MString& value) {
    if (MStringListNode* n = NodeAt(index)) n->value = value;
}

void MStringList::SetAt(int index, const char* s) {
    if (MStringListNode* n = NodeAt(index)) n->value = s;
}

void MStringList::Splice(int index, MStringListNode* first, MStringListNode* last) {
    if (index == 0) {
        last->next = head;
        head = first;
        return;
    }
    // One walk to the node before `index`, counting how far the list reaches.
    MStringListNode* before = head;
    int position = 1;
    while (position < index && before->next != nullptr) {
        before = before->next;
        ++position;
    }
    if (position < index) {
        Run fill;
        for (; position < index; ++position) fill.Push(MString());
        before->next = fill.first;
        before = fill.last;
    }
    last->next = before->next;
    before->next = first;
    if (last->next == nullptr) tail = last;
}

void MStringList::InsertEach(int index, MStringListNode* first, MStringListNode* last) {
    for (; index < 0 && first != nullptr; ++index) {
        MStringListNode* next = first->next;
        delete first;
        first = next;
    }
    if (first == nullptr) return;
    if (head == nullptr) {
        head = tail = first;
        first = first->next;
        tail->next = nullptr;
        if (first == nullptr) return;
        ++index;
    }
    Splice(index, first, last);
}

void MStringList::InsertAt(int index, const MString& value, int count) {
    if (count < 1 || index < 0) return;
    Run run;
    for (int i = 0; i < count; ++i) run.Push(value);
    if (head == nullptr) {  // an empty list takes the copies whatever the index
        head = run.first;
        tail = run.last;
        return;
    }
    Splice(index, run.first, run.last);
}

void MStringList::InsertAt(int index, const char* s, int count) {
    InsertAt(index, MString(s), count);
}

void MStringList::InsertAt(int index, const MStringList& other) {
    Run run = CopyOf(other.head);
    InsertEach(index, run.first, run.last);
}

int MStringList::Add(const MString& value) {
    Run run;
    run.Push(value);
    if (tail == nullptr) {
        head = run.first;
    } else {
        tail->next = run.first;
    }
    tail = run.last;
    return GetUpperBound();
}

int MStringList::Add(const char* s) { return Add(MString(s)); }

int MStringList::Append(const MStringList& other) {
    Run run = CopyOf(other.head);
    if (run.first != nullptr) {
        if (tail == nullptr) {
            head = run.first;
        } else {
            tail->next = run.first;
        }
        tail = run.last;
    }
    return GetSize();
}

void MStringList::RemoveAt(int index, int count) {
    if (head == nullptr || index < 0 || count < 1) return;
    MStringListNode* before = nullptr;
    if (index > 0) {
        before = NodeAt(index - 1);
        if (before == nullptr || before->next == nullptr) return;
    }
    MStringListNode* first = before != nullptr ? before->next : head;
    MStringListNode* last = first;
    for (int i = 1; i < count && last->next != nullptr; ++i) last = last->next;
    MStringListNode* after = last->next;
    if (before != nullptr) {
        before->next = after;
    } else {
        head = after;
    }
    if (after == nullptr) tail = before;
    last->next = nullptr;
    FreeNodes(first);
}

void MStringList::Split(MString text, char delimiter, int start, int index) {
    // A negative start would make the first piece swallow the delimiter.
    int pos = start < 0 ? 0 : start;
    // One walk of the chain, where a 0 is a character like any other.
    Run pieces;
    MString piece;
    int f = pos;
    for (const MStringNode* n = text.NodeAt(pos); n != nullptr; n = n->next, ++f) {
        if (n->ch != delimiter) {
            piece.AppendNode(n->ch);
            continue;
        }
        std::cout << piece << std::endl;
        std::cout << "place = " << pos << std::endl;
        pieces.Push(piece);
        piece.Clear();
        pos = f + 1;
        std::cout << "place = " << pos << std::endl;
    }
    if (!piece.IsEmpty()) pieces.Push(piece);
    InsertEach(index, pieces.first, pieces.last);
}

void MStringList::Dump() const {
    std::cout << "Head = " << static_cast<const void*>(head) << std::endl;
    int i = 0;
    for (const MStringListNode* n = head; n != nullptr; n = n->next, ++i) {
        std::cout << "Index(" << i << ") " << n->value << " " << static_cast<const void*>(n->next)
                  << std::endl;
    }
    std::cout << "Tail = " << static_cast<const void*>(tail) << std::endl;
    std::cout << "GetSize = " << GetSize() << std::endl;
}

}  // namespace evoplug
