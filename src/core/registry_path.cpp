#include "core/registry_path.h"
#include "core/payload_table.h"
#include "core/text_ops.h"
#include "core/user_texts.h"

const char ProductKeyPath[] = "Software\\Brightlark";
const char ValueProgramDirectory[] = "\\ProgramDirectory";
const char ValueProgramVersion[] = "\\ProgramVersion";
const char ValueMonitorDevice[] = "\\MonitorDevice";
const char PathProgramFilesDir[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir";
const char PathUninstallDisplayName[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brightlark\\DisplayName";
const char PathUninstallCommand[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brightlark\\UninstallString";

static const char UninstallOption[] = "/uninstall";

// Byte by byte: the value paths are the program's own, all ASCII.
const char *SplitValuePath(const char *prefix, const char *path,
                           char (&buffer)[RegistryPathSize])
{
    const char *head = prefix ? prefix : "";
    if (!TextsFit(RegistryPathSize, {head, path}))
        return nullptr;
    char *end = CopyText(path, CopyText(head, buffer));
    if (end == buffer)
        return nullptr;
    if (end[-1] == '\\') {
        end[-1] = '\0';
        return end; // the terminator: the default value
    }
    for (char *p = end - 1; p >= buffer; --p) {
        if (*p == '\\') {
            *p = '\0';
            return p + 1;
        }
    }
    return nullptr;
}

void ComposeDisplayName(char (&buffer)[DisplayNameSize])
{
    buffer[0] = '\0';
    if (!TextsFit(DisplayNameSize, {TextProductName, " ", TextVersionLabel}))
        return;
    char *end = CopyText(TextProductName, buffer);
    *end++ = ' ';
    CopyText(TextVersionLabel, end);
}

bool ComposeUninstallCommand(const char *destination,
                             char (&buffer)[UninstallCommandSize])
{
    const char *program = PayloadTable[PayloadRowProgram].fileName;
    // Quotes, backslash and blank are the 4 extra characters.
    buffer[0] = '\0';
    if (TextLength(destination) >= DestinationSize ||
        !TextsFit(UninstallCommandSize - 4, {destination, program, UninstallOption}))
        return false;
    char *end = buffer;
    *end++ = '"';
    end = CopyText(destination, end);
    if (!EndsInBackslash(destination))
        *end++ = '\\';
    end = CopyText(program, end);
    *end++ = '"';
    *end++ = ' ';
    CopyText(UninstallOption, end);
    return true;
}

bool TerminateReadText(char *buffer, std::uint32_t count, std::uint32_t size)
{
    if (size == 0 || count > size)
        return false;
    if (count > 0 && buffer[count - 1] == '\0')
        return true;
    if (count == size)
        return false;
    buffer[count] = '\0';
    return true;
}
