#include "core/registry_path.h"
#include "core/text_ops.h"
#include "install/install.h"

// Working values of the current operation; operations never nest.
static char pathBuffer[RegistryPathSize];
static HKEY openKey;
static DWORD byteCount;

// Keys are opened with only the access each call needs, so that a limited
// user can still read the machine's values and write the per-user ones.
static bool CreateKey(HKEY root, const char *keyPath)
{
    DWORD disposition;
    return RegCreateKeyExA(root, keyPath, 0, const_cast<char *>(""), REG_OPTION_NON_VOLATILE,
                           KEY_SET_VALUE, nullptr, &openKey, &disposition) == ERROR_SUCCESS;
}

static bool SetValue(HKEY root, const char *prefix, const char *path, const void *data,
                     std::uint32_t size, std::uint32_t type)
{
    const char *valueName = SplitValuePath(prefix, path, pathBuffer);
    if (valueName == nullptr || !CreateKey(root, pathBuffer))
        return false;
    // A text is written with its terminator, whatever size the caller gave.
    byteCount = type == REG_SZ ? TextLength(static_cast<const char *>(data)) + 1 : size;
    LONG status = RegSetValueExA(openKey, valueName, 0, type,
                                 static_cast<const BYTE *>(data), byteCount);
    RegCloseKey(openKey);
    return status == ERROR_SUCCESS;
}

static bool GetValue(HKEY root, const char *prefix, const char *path, void *buffer,
                     std::uint32_t size, std::uint32_t *count)
{
    const char *valueName = SplitValuePath(prefix, path, pathBuffer);
    if (valueName == nullptr ||
        RegOpenKeyExA(root, pathBuffer, 0, KEY_QUERY_VALUE, &openKey) != ERROR_SUCCESS)
        return false;
    DWORD type;
    byteCount = size;
    // A size of 0 asks for the value's size alone.
    LONG status = RegQueryValueExA(openKey, valueName, nullptr, &type,
                                   size ? static_cast<BYTE *>(buffer) : nullptr, &byteCount);
    RegCloseKey(openKey);
    if (status != ERROR_SUCCESS || (size != 0 && byteCount > size))
        return false;
    if (count != nullptr)
        *count = byteCount;
    return true;
}

bool SetProductValue(const char *valuePath, const void *data, std::uint32_t size,
                     std::uint32_t type, HKEY root)
{
    return SetValue(root, ProductKeyPath, valuePath, data, size, type);
}

bool GetProductValue(const char *valuePath, void *buffer, std::uint32_t size,
                     std::uint32_t *count, HKEY root)
{
    return GetValue(root, ProductKeyPath, valuePath, buffer, size, count);
}

bool DeleteProductValue(const char *valuePath)
{
    const char *valueName = SplitValuePath(ProductKeyPath, valuePath, pathBuffer);
    if (valueName == nullptr ||
        RegOpenKeyExA(HKEY_CURRENT_USER, pathBuffer, 0, KEY_SET_VALUE, &openKey) !=
            ERROR_SUCCESS)
        return false;
    LONG status = RegDeleteValueA(openKey, valueName);
    RegCloseKey(openKey);
    return status == ERROR_SUCCESS;
}

bool SetUninstallValue(const char *valuePath, const void *data, std::uint32_t size,
                       std::uint32_t type)
{
    return SetValue(HKEY_LOCAL_MACHINE, UninstallKeyPath, valuePath, data, size, type);
}

bool SetRootValue(const char *fullPath, const void *data, std::uint32_t size,
                  std::uint32_t type, HKEY root)
{
    return SetValue(root, nullptr, fullPath, data, size, type);
}

bool GetRootValue(const char *fullPath, void *buffer, std::uint32_t size, HKEY root,
                  std::uint32_t *count)
{
    return GetValue(root, nullptr, fullPath, buffer, size, count);
}

static bool GetText(HKEY root, const char *prefix, const char *path, char *buffer,
                    std::uint32_t size)
{
    std::uint32_t count;
    return size != 0 && GetValue(root, prefix, path, buffer, size, &count) &&
           TerminateReadText(buffer, count, size);
}

bool GetProductText(const char *valuePath, char *buffer, std::uint32_t size, HKEY root)
{
    return GetText(root, ProductKeyPath, valuePath, buffer, size);
}

bool GetRootText(const char *fullPath, char *buffer, std::uint32_t size, HKEY root)
{
    return GetText(root, nullptr, fullPath, buffer, size);
}
