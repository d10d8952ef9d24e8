// Every composition with a length limit, and the command-line parsing, fed
// arbitrary texts. Each writes into a heap buffer of exactly the product's
// size, so AddressSanitizer sees any write past it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "destination.h"
#include "registry_path.h"
#include "shell_path.h"
#include "text.h"

template <unsigned Size> struct Buffer {
    std::unique_ptr<char[]> bytes{new char[Size]};
    char (&get())[Size] { return *reinterpret_cast<char(*)[Size]>(bytes.get()); }
};

static void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string input(reinterpret_cast<const char *>(data), size);
    std::string first = input.substr(0, input.find('\0'));
    std::string second = input.size() > first.size() ? input.substr(first.size() + 1) : "";
    second = second.substr(0, second.find('\0'));
    const char *a = first.c_str(), *b = second.c_str();

    Buffer<RegistryPathSize> path;
    for (const char *prefix : {static_cast<const char *>(nullptr), ProductKeyPath}) {
        const char *value = SplitValuePath(prefix, a, path.get());
        if (value != nullptr) {
            // Key and value name together are the composed text, less the
            // backslash between them.
            std::string whole = std::string(prefix ? prefix : "") + first;
            Check(whole.size() < RegistryPathSize);
            Check(std::strlen(path.bytes.get()) + std::strlen(value) + 1 == whole.size());
        }
    }

    Buffer<UninstallCommandSize> command;
    Check(ComposeUninstallCommand(a, command.get()) == (first.size() < DestinationSize));

    Buffer<DestinationSize> destination;
    ComposeDefaultDestination(a, b, destination.get());
    Check(std::strlen(destination.bytes.get()) < DestinationSize);
    IsValidDestination(destination.bytes.get());
    IsValidDestination(a);

    for (unsigned joinSize : {1u, 16u, 260u}) {
        std::unique_ptr<char[]> joined(new char[joinSize]);
        if (JoinPath(a, b, joined.get(), joinSize))
            Check(std::strlen(joined.get()) < joinSize);
    }

    char caption[256];
    char *end = caption + sizeof caption;
    CopyTextWithin(b, CopyTextWithin(" --- ", CopyTextWithin(a, caption, end), end), end);
    Check(std::strlen(caption) < sizeof caption);

    char drive = FindSetupDrive(a);
    Check(drive == '\0' || std::strchr(a, ':') != nullptr);
    Buffer<CdPathSize> cd;
    ComposeCdPath(drive, b, cd.bytes.get());
    Check(CommandTail(a) >= a && CommandTail(a) <= a + first.size());

    std::unique_ptr<char[]> read(new char[first.size() + 1]);
    std::memcpy(read.get(), a, first.size());
    if (TerminateReadText(read.get(), std::uint32_t(first.size()), std::uint32_t(first.size() + 1)))
        Check(std::memchr(read.get(), '\0', first.size() + 1) != nullptr);
    return 0;
}
