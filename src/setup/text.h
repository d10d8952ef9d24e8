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

// The command line without the program's name and the blanks after it; a
// name in double quotes runs to its closing quote.
const char *CommandTail(const char *commandLine);

// True when `find` occurs in `text`, comparing the ASCII letters a-z as
// their capitals; every other byte compares as it is.
bool FindTextNoCase(const char *text, const char *find);

// Copies as much of `source` as fits before `end` (one past the buffer's
// last byte) and always terminates; returns the terminator's position.
// For captions, where a cut text is better than none.
char *CopyTextWithin(const char *source, char *destination, char *end);

// Joins a folder and a name with one backslash between them (none added
// when the folder already ends in one; an empty folder gives "\name").
// False, with an empty buffer, when the result does not fit `size` bytes.
bool JoinPath(const char *folder, const char *name, char *buffer, unsigned size);

// True when the pieces joined, plus the terminator, fit in `capacity` bytes.
bool TextsFit(std::size_t capacity, std::initializer_list<const char *> pieces);
