#include "core/text_ops.h"

unsigned TextLength(const char *text)
{
    unsigned length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

char *TextEnd(char *position)
{
    while (*position != '\0')
        ++position;
    return position;
}

const char *TextEnd(const char *position)
{
    while (*position != '\0')
        ++position;
    return position;
}

char *CopyText(const char *source, char *destination)
{
    while ((*destination = *source) != '\0') {
        ++destination;
        ++source;
    }
    return destination;
}

char *CopyTextWithin(const char *source, char *destination, char *end)
{
    if (destination >= end)
        return end - 1;
    while (destination + 1 < end && *source != '\0')
        *destination++ = *source++;
    *destination = '\0';
    return destination;
}

// Only the ASCII small letters fold; code-page letters stay as they are, so
// the search never depends on the user's locale. On a double-byte code
// page a match still starts at a character: it starts at the slash of
// "/autorun", which is never a character's second byte, and no byte of it
// is a lead byte, so what follows the slash is read whole.
char FoldLetter(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c & ~0x20) : c;
}

bool FindTextNoCase(const char *text, const char *find)
{
    for (const char *start = text;; ++start) {
        for (unsigned i = 0;; ++i) {
            if (start[i] == '\0')
                return false;
            if (FoldLetter(start[i]) != FoldLetter(find[i]))
                break;
            if (find[i + 1] == '\0')
                return true;
        }
    }
}

bool TextsFit(std::size_t capacity, std::initializer_list<const char *> pieces)
{
    std::size_t total = 1;
    for (const char *piece : pieces)
        total += TextLength(piece);
    return total <= capacity;
}

static unsigned char leadByteRanges[LeadByteRangesSize];

void SetLeadByteRanges(const unsigned char (&ranges)[LeadByteRangesSize])
{
    for (unsigned i = 0; i < LeadByteRangesSize; ++i)
        leadByteRanges[i] = ranges[i];
}

bool IsLeadByte(char c)
{
    unsigned char byte = static_cast<unsigned char>(c);
    for (unsigned i = 0; i + 1 < LeadByteRangesSize && leadByteRanges[i] != 0; i += 2)
        if (byte >= leadByteRanges[i] && byte <= leadByteRanges[i + 1])
            return true;
    return false;
}

const char *NextChar(const char *at)
{
    if (*at == '\0')
        return at;
    return IsLeadByte(at[0]) && at[1] != '\0' ? at + 2 : at + 1;
}

bool EndsInBackslash(const char *text)
{
    const char *last = nullptr;
    for (const char *at = text; *at != '\0'; at = NextChar(at))
        last = at;
    return last != nullptr && *last == '\\';
}

bool JoinPath(const char *folder, const char *name, char *buffer, unsigned size)
{
    unsigned folderLength = TextLength(folder);
    bool separator = !EndsInBackslash(folder);
    if (folderLength + separator + TextLength(name) + 1 > size) {
        if (size != 0)
            buffer[0] = '\0';
        return false;
    }
    char *end = CopyText(folder, buffer);
    if (separator)
        *end++ = '\\';
    CopyText(name, end);
    return true;
}
