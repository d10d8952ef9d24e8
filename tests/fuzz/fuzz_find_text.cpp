// FindTextNoCase against a plain search over folded copies of its texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "text.h"

static char Fold(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The text to search in, a zero byte, the text to find.
    std::string input(reinterpret_cast<const char *>(data), size);
    std::size_t split = input.find('\0');
    std::string text = input.substr(0, split);
    std::string find = split == std::string::npos ? "" : input.substr(split + 1);
    find = find.substr(0, find.find('\0'));

    std::string foldedText = text, foldedFind = find;
    for (char &c : foldedText)
        c = Fold(c);
    for (char &c : foldedFind)
        c = Fold(c);
    bool expected = !find.empty() && foldedText.find(foldedFind) != std::string::npos;
    if (FindTextNoCase(text.c_str(), find.c_str()) != expected)
        __builtin_trap();
    return 0;
}
