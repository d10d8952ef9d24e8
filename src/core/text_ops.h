// Operations on zero-terminated 8-bit texts. Texts are assembled by chained
// copies: CopyText returns where the copied terminator landed, which is where
// the next piece goes. None of these knows a buffer size; callers check room
// first with TextsFit.
#pragma once
#include <cstddef>
#include <initializer_list>

unsigned TextLength(const char *text);
char *TextEnd(char *position);
const char *TextEnd(const char *position);
char *CopyText(const char *source, char *destination);

// True when `find` occurs in `text`, comparing the ASCII letters a-z as
// their capitals; every other byte compares as it is.
bool FindTextNoCase(const char *text, const char *find);
// An ASCII small letter as its capital; every other byte as it is.
char FoldLetter(char c);

// Copies as much of `source` as fits before `end` (one past the buffer's
// last byte) and always terminates; returns the terminator's position.
// For captions, where a cut text is better than none.
char *CopyTextWithin(const char *source, char *destination, char *end);

// On a double-byte ANSI code page (Japanese 932, Chinese 936 and 950,
// Korean 949) a character may take two bytes, and its second byte may be
// 0x5C, the backslash's code: paths are walked character by character. The
// lead bytes of the code page, as Windows gives them in CPINFO: pairs of
// first and last byte, ended by a pair of zeros. None (the start-up state):
// a single-byte code page. Set once at start-up.
constexpr unsigned LeadByteRangesSize = 12;
void SetLeadByteRanges(const unsigned char (&ranges)[LeadByteRangesSize]);
bool IsLeadByte(char c);
// The character after the one at `at`; a lead byte with nothing after it
// is a character of its own, as Windows' CharNextA takes it.
const char *NextChar(const char *at);
// True when the last character of `text` is a backslash.
bool EndsInBackslash(const char *text);

// Joins a folder and a name with one backslash between them (none added
// when the folder already ends in one; an empty folder gives "\name").
// False, with an empty buffer, when the result does not fit `size` bytes.
bool JoinPath(const char *folder, const char *name, char *buffer, unsigned size);

// True when the pieces joined, plus the terminator, fit in `capacity` bytes.
bool TextsFit(std::size_t capacity, std::initializer_list<const char *> pieces);
