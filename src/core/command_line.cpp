#include "core/command_line.h"
#include "core/text_ops.h"

// Byte by byte, as the other scans of the command line: the slash, the
// quote, the equals sign and the blanks lie below 0x40 and are never the
// second byte of a double-byte character.
static const struct {
    const char *name; // in capitals
    std::uint32_t given;
    RunMode mode;
} OptionTable[] = {
    {"SILENT", 0, RunSilent},
    {"VERYSILENT", 0, RunVerySilent},
    {"DIR", OptionDir, RunInteractive},
    {"LOG", OptionLog, RunInteractive},
    {"NOICONS", OptionNoIcons, RunInteractive},
    // Accepted and ignored, so that command lines written for the
    // convention work unchanged.
    {"SUPPRESSMSGBOXES", 0, RunInteractive},
    {"NORESTART", 0, RunInteractive},
    {"SP-", 0, RunInteractive},
};

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The length of option `name` when it stands whole at `at`, else 0.
static unsigned NameAt(const char *at, const char *name)
{
    unsigned length = 0;
    for (; name[length] != '\0'; ++length)
        if (FoldLetter(at[length]) != name[length])
            return 0;
    char next = at[length];
    return next == '\0' || next == '=' || IsBlank(next) ? length : 0;
}

// Copies the value at `at` into `buffer` of `size` bytes: up to the closing
// quote when it starts with one, else up to a blank. Gives the position
// after it.
static const char *CopyValue(const char *at, char *buffer, unsigned size)
{
    bool quoted = *at == '"';
    at += quoted;
    unsigned length = 0;
    while (at[length] != '\0' && (quoted ? at[length] != '"' : !IsBlank(at[length])))
        ++length;
    bool fits = length < size;
    for (unsigned i = 0; fits && i < length; ++i)
        buffer[i] = at[i];
    buffer[fits ? length : 0] = '\0';
    at += length;
    return at + (*at == '"');
}

void ParseOptions(const char *tail, SetupOptions *options)
{
    for (const char *at = tail; *at != '\0';) {
        if (*at != '/' || (at != tail && !IsBlank(at[-1]))) {
            ++at;
            continue;
        }
        ++at;
        for (const auto &option : OptionTable) {
            unsigned length = NameAt(at, option.name);
            if (length == 0)
                continue;
            at += length;
            options->given |= option.given;
            if (option.mode > options->mode)
                options->mode = option.mode;
            if (*at == '=' && option.given == OptionDir)
                at = CopyValue(at + 1, options->dir, DestinationSize);
            if (*at == '=' && option.given == OptionLog) {
                options->given |= OptionLogNamed;
                at = CopyValue(at + 1, options->logName, LogNameSize);
            }
            break;
        }
    }
}
