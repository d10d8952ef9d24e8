#include "core/command_line.h"
#include "core/text_ops.h"

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

const char *CommandTail(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && !IsBlank(*p))
            ++p;
    }
    while (IsBlank(*p))
        ++p;
    return p;
}

char FindSetupDrive(const char *commandLine)
{
    for (const char *p = commandLine; *p != '\0'; ++p)
        if (*p == ':')
            return p == commandLine ? '\0' : p[-1];
    return '\0';
}

void ParseCommandLine(const char *commandLine, SetupOptions *options)
{
    const char *tail = CommandTail(commandLine);
    ParseOptions(tail, options);
    options->autorunMode = FindTextNoCase(tail, "/autorun");
    options->setupDrive = FindSetupDrive(commandLine);
}
