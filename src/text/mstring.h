// MString: the plug-in's own text type.
//
// A text is a singly linked chain of one-character nodes with head and tail
// pointers; the length is never stored. Positions are 0-based and -1 means
// "not found". A null C-string argument always counts as the empty text.
// An argument may be the object itself or lie in its own buffer: every
// operation reads it as it was when the call began.
// A text may hold the character 0 (operator=(char), SetAt, Insert, Replace,
// MString(char, count)). Handled as a chain (comparing texts, searching,
// editing, Mid, Split) it is a character like any other; where the text
// becomes a C string (ToCString, ReleaseBuffer, ToInt, stream output) it ends it.
// Every walk is iterative, so texts of any length are safe to build, edit and
// destroy.
#pragma once

#include <iosfwd>

namespace evoplug {

struct MStringNode {
    MStringNode* next;
    char ch;
};

class MString {
  public:
    MString();
    MString(const MString& other);  // precision is not copied: it starts at 3
    MString(const char* s);
    MString(const char* s, int n);
    MString(char c, int count);
    MString(int n);
    MString(double x);
    ~MString();

    // Assignment copies characters only; the target keeps its precision.
    MString& operator=(const MString& other);
    MString& operator=(const char* s);
    MString& operator=(char c);
    MString& operator=(int n);
    MString& operator=(double x);
    MString& operator=(float x);

    MString& operator+=(const MString& other);
    MString& operator+=(const char* s);
    MString& operator+=(char c);  // the character 0 is ignored
    MString& operator+=(int n);   // nothing for 0 and below
    MString& operator+=(double x);
    MString& operator+=(float x);

    int GetLength() const;
    bool IsEmpty() const { return head == nullptr; }
    void Clear();

    char GetAt(int i) const;
    char operator[](int i) const { return GetAt(i); }
    char* operator[](int i);  // the stored character, null outside the text
    void SetAt(int i, char c);

    void SetPrecision(int p);
    int GetPrecision() const { return precision; }

    void Reverse();

    static MString GetVersion();
    static MString GetNotice();
    void Dump() const;

    // A fresh NUL-terminated copy from `start`, allocated with new[]; the
    // caller owns it. Null when `start` is outside the text.
    char* ToCString(int start) const;

    // Comparison: 0 when equal, otherwise the sign gives the order and the
    // magnitude the position (1-based) where it was decided; when `other` is
    // a proper prefix of this text the result is this text's length.
    int Compare(const MString& other) const;
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    MString Mid(int start) const;
    MString Mid(int start, int count) const;
    MString Left(int count) const;
    MString Right(int count) const;
    MString DropChars(const char* set) const;
    MString KeepChars(const char* set) const;

    void MakeUpper();
    void MakeLower();

    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char c);
    int Insert(int index, char c);
    int Insert(int index, const char* s);
    int Delete(int index, int count);

    int Find(char c, int start) const;
    int Find(const char* s, int start) const;
    int ReverseFind(char c) const;
    int ReverseFind(const char* s) const;
    int WhichOf(const char* set) const;

    void TrimLeft(char c);
    void TrimRight(char c);
    void TrimLeft(const char* s);
    void TrimRight(const char* s);
    void TrimLeft();
    void TrimRight();
    void Trim();
    void Trim(char c);
    void Trim(const char* s);

    int ToInt(int start) const;

#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    void
    Format(const char* format, ...);

    // The buffer belongs to the string; it always holds a NUL at index
    // max(length, minLength) and is freed whenever characters are released.
    // ReleaseBuffer takes it back as a C string, up to its first NUL.
    char* GetBuffer(int minLength);
    char* GetBuffer();
    MString& ReleaseBuffer(int newLength);
    char* PeekBuffer() const { return buffer; }

    friend std::ostream& operator<<(std::ostream& os, const MString& s);
    friend std::istream& operator>>(std::istream& is, MString& s);
    friend std::istream& ReadLine(std::istream& is, MString& s);

  private:
    friend class MStringList;  // Split walks the chain of the text it splits

    static constexpr int kDefaultPrecision = 3;

    void AppendNode(char c);
    void AppendChars(const char* s, int n);  // at most n characters, up to a NUL
    void AppendCopy(const MString& other);
    void AppendDecimal(int n);
    void AppendFloat(double x);
    void Adopt(MString& from);  // frees this chain and takes over from's
    void FreeBuffer();
    MStringNode* NodeAt(int i) const;
    // Unlinks and frees the nodes after `before` (the head when null) up to
    // and including `last`; returns how many were freed.
    int CutRun(MStringNode* before, MStringNode* last);
    void InsertChain(int index, MStringNode* first, MStringNode* last);

    char* buffer;
    MStringNode* head;
    MStringNode* tail;
    int precision;
    int bufferLength;
};

std::istream& ReadLine(std::istream& is, MString& s);

MString operator+(const MString& a, const MString& b);
MString operator+(const MString& a, char c);
MString operator+(char c, const MString& b);
MString operator+(const MString& a, const char* s);
MString operator+(const char* s, const MString& b);
MString operator+(int n, const MString& b);
MString operator+(const MString& a, int n);

bool operator==(const MString& a, const MString& b);
bool operator!=(const MString& a, const MString& b);
bool operator<(const MString& a, const MString& b);
bool operator>(const MString& a, const MString& b);
bool operator<=(const MString& a, const MString& b);
bool operator>=(const MString& a, const MString& b);
bool operator==(const MString& a, const char* s);
bool operator!=(const MString& a, const char* s);
bool operator<(const MString& a, const char* s);
bool operator>(const MString& a, const char* s);
bool operator<=(const MString& a, const char* s);
bool operator>=(const MString& a, const char* s);
bool operator==(const char* s, const MString& b);
bool operator!=(const char* s, const MString& b);
bool operator<(const char* s, const MString& b);
bool operator>(const char* s, const MString& b);
bool operator<=(const char* s, const MString& b);
bool operator>=(const char* s, const MString& b);

}  // namespace evoplug
