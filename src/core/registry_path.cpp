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
const char UninstallKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brightlark";
const char ValueUninstallCommand[] = "\\UninstallString";
const char ValueDisplayVersion[] = "\\DisplayVersion";
const char ValueDisplayIcon[] = "\\DisplayIcon";
const char ValueInstallLocation[] = "\\InstallLocation";
const char ValueEstimatedSize[] = "\\EstimatedSize";
const char ValueNoModify[] = "\\NoModify";
const char ValueNoRepair[] = "\\NoRepair";
const char ValuePublisher[] = "\\Publisher";
const char ValueDisplayName[] = "\\DisplayName";

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

// <before><destination>\Brightlark.exe<after>
static bool ComposeProgramText(const char *before, const char *destination, const char *after,
                               char (&buffer)[UninstallCommandSize])
{
    const char *program = PayloadTable[PayloadRowProgram].fileName;
    // The backslash is the one extra character.
    buffer[0] = '\0';
    if (TextLength(destination) >= DestinationSize ||
        !TextsFit(UninstallCommandSize - 1, {before, destination, program, after}))
        return false;
    char *end = CopyText(destination, CopyText(before, buffer));
    if (!EndsInBackslash(destination))
        *end++ = '\\';
    CopyText(after, CopyText(program, end));
    return true;
}

bool ComposeUninstallCommand(const char *destination,
                             char (&buffer)[UninstallCommandSize])
{
    return ComposeProgramText("\"", destination, "\" /uninstall", buffer);
}

bool ComposeDisplayIcon(const char *destination, char (&buffer)[UninstallCommandSize])
{
    return ComposeProgramText("", destination, ",0", buffer);
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
