// MStringList: an ordered, singly linked list of MString values.
//
// The size is not stored; indices are 0-based and the upper bound is the size
// minus 1. Elements are copied on insertion and on GetAt; copies of a list
// never share nodes.
#pragma once

#include "text/mstring.h"

namespace evoplug {

struct MStringListNode {
    MStringListNode* next;
    MString value;
};

class MStringList {
  public:
    MStringList();
    MStringList(const MStringList& other);
    explicit MStringList(const MString& value);
    ~MStringList();

    MStringList& operator=(const MStringList& other);
    MStringList& RemoveAll();

    int GetSize() const;
    int GetUpperBound() const { return GetSize() - 1; }

    MString GetAt(int index) const;  // empty text outside the list
    MString* ElementAt(int index);   // null outside the list
    void SetAt(int index, const MString& value);
    void SetAt(int index, const char* s);

    // An empty list takes the copies whatever the index; an index beyond the
    // size of a non-empty list first fills the gap with empty texts.
    void InsertAt(int index, const MString& value, int count);
    void InsertAt(int index, const char* s, int count);
    // Each element of `other` as if inserted on its own at index, index + 1, ...
    void InsertAt(int index, const MStringList& other);

    int Add(const MString& value);  // returns the new upper bound
    int Add(const char* s);
    int Append(const MStringList& other);  // returns the new size

    void RemoveAt(int index, int count);

    // Splits `text` at `delimiter` from `start`, reporting each piece on the
    // standard output, and inserts the pieces at `index`.
    void Split(MString text, char delimiter, int start, int index);

    void Dump() const;

  private:
    MStringListNode* NodeAt(int index) const;  // null outside the list
    // Links a detached run of nodes into a non-empty list at `index`
    // (not negative), filling a gap beyond the end with empty texts first.
    void Splice(int index, MStringListNode* first, MStringListNode* last);
    // Takes a detached run as if each node were inserted on its own at
    // `index`, `index` + 1, ...: nodes bound for a negative position are
    // freed, and an empty list takes the first node whatever its position.
    void InsertEach(int index, MStringListNode* first, MStringListNode* last);

    MStringListNode* head;
    MStringListNode* tail;
};

}  // namespace evoplug
