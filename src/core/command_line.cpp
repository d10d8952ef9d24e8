#include "core/command_line.h"
#include "core/text_ops.h"

struct OptionEntry {
    const char *name; // in capitals
    std::uint32_t given;
    RunMode mode;
};

static const OptionEntry OptionTable[] = {
    {"SILENT", 0, RunSilent},
    {"VERYSILENT", 0, RunVerySilent},
    {"DIR", OptionDir, RunInteractive},
    {"LOG", OptionLog, RunInteractive},
    {"NOICONS", OptionNoIcons, RunInteractive},
    // The CD's autorun, read on its own.
    {"AUTORUN", 0, RunInteractive},
    // Accepted and ignored, so that command lines written for the
    // convention work unchanged.
    {"SUPPRESSMSGBOXES", 0, RunInteractive},
    {"NORESTART", 0, RunInteractive},
    {"SP-", 0, RunInteractive},
};

// Room for the longest option's name, its equals sign and a log's name.
constexpr unsigned ArgumentSize = 24 + LogNameSize;

// Quotes, blanks and backslashes at the start of a character are what they
// are; the argument is walked by characters, as a double-byte character's
// second byte may be the backslash's code.
static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char *NextArgument(const char *at, char *buffer, unsigned size, bool *whole)
{
    unsigned length = 0;
    bool quoted = false;
    *whole = true;
    auto put = [&](char c) {
        if (length + 1 < size)
            buffer[length++] = c;
        else
            *whole = false;
    };
    while (*at != '\0' && (quoted || !IsBlank(*at))) {
        unsigned backslashes = 0;
        while (at[backslashes] == '\\')
            ++backslashes;
        if (at[backslashes] != '"') {
            const char *next = backslashes ? at + backslashes : NextChar(at);
            while (at < next)
                put(*at++);
            continue;
        }
        for (unsigned i = 0; i < backslashes / 2; ++i)
            put('\\');
        at += backslashes;
        if (backslashes % 2 == 1 || (quoted && at[1] == '"')) {
            put('"');
            at += backslashes % 2 == 1 ? 1 : 2;
        } else {
            quoted = !quoted;
            ++at;
        }
    }
    buffer[length] = '\0';
    while (IsBlank(*at))
        ++at;
    return at;
}

// The option whose name `argument` holds whole after its slash, followed
// by its end or an equals sign; null for none.
static const OptionEntry *FindOption(const char *argument, const char **value)
{
    for (const OptionEntry &option : OptionTable) {
        unsigned length = 0;
        while (option.name[length] != '\0' && FoldLetter(argument[length]) == option.name[length])
            ++length;
        char next = argument[length];
        if (option.name[length] == '\0' && (next == '\0' || next == '=')) {
            *value = next == '=' ? argument + length + 1 : nullptr;
            return &option;
        }
    }
    return nullptr;
}

// A value that does not fit its field, or whose argument did not fit, is
// left empty.
static void CopyValue(const char *value, bool whole, char *field, unsigned size)
{
    field[0] = '\0';
    if (whole && TextsFit(size, {value}))
        CopyText(value, field);
}

// Whole arguments only, while they fit.
static void NoteIgnored(const char *argument, char (&ignored)[IgnoredSize])
{
    char *end = TextEnd(ignored);
    if (TextsFit(IgnoredSize - (end - ignored), {argument, " "}))
        CopyText(" ", CopyText(argument, end));
}

void ParseOptions(const char *tail, SetupOptions *options)
{
    char argument[ArgumentSize];
    for (const char *at = tail; *at != '\0';) {
        bool whole;
        at = NextArgument(at, argument, ArgumentSize, &whole);
        if (argument[0] != '/')
            continue;
        const char *value;
        const OptionEntry *option = FindOption(argument + 1, &value);
        if (option == nullptr) {
            NoteIgnored(argument, options->ignored);
            continue;
        }
        options->given |= option->given;
        if (option->mode > options->mode)
            options->mode = option->mode;
        if (value != nullptr && option->given == OptionDir)
            CopyValue(value, whole, options->dir, DestinationSize);
        if (value != nullptr && option->given == OptionLog) {
            options->given |= OptionLogNamed;
            CopyValue(value, whole, options->logName, LogNameSize);
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

void ParseCommandLine(const char *commandLine, SetupOptions *options)
{
    const char *tail = CommandTail(commandLine);
    ParseOptions(tail, options);
    options->autorunMode = FindTextNoCase(tail, "/autorun");
}
