// The product's files as the install pass lays them down, in order, made
// from the one list of them (payload_files.h). The launchers, the shortcuts
// and the uninstall command take "Brightlark.exe" and "sfxpack1.exe" from
// here.
#pragma once
#include <cstdint>

enum : std::uint32_t {
    PayloadFlagExtract = 1, // expand the row's resource into a file
    PayloadFlagFolder = 2,  // create a folder; wins over PayloadFlagExtract
};

struct PayloadEntry {
    char fileName[80]; // bare name inside the destination folder
    std::uint32_t resourceId;
    std::uint32_t flags;
};

#define PAYLOAD_FILE(name) +1
constexpr unsigned PayloadRowCount = 0
#include "core/payload_files.h"
    ;
#undef PAYLOAD_FILE
extern const PayloadEntry (&PayloadTable)[PayloadRowCount];

// The rows other parts of the set-up start or point to.
constexpr unsigned PayloadRowProgram = 0; // "Brightlark.exe"
constexpr unsigned PayloadRowSoundFx = 4; // "sfxpack1.exe"

// What the install pass makes in the destination besides the product's
// files. Each name carries the product's name and a tilde, so that none is a
// user's file: these are the only files the pass deletes of its own accord.
extern const char CompressedFileName[]; // "Brightlark.~c": the compressed bytes of the file being extracted
extern const char ExpandedFileName[];   // "Brightlark.~n": the file expanded from them, until it takes its place
extern const char PassMarkerName[];     // "Brightlark.~p": there while earlier files may stand aside
// For each row, the earlier installation's file, set aside until the pass
// has succeeded: "Brightlark.~1" for the first row, and on by the row's digit.
constexpr unsigned SetAsideNameSize = 14;
static_assert(PayloadRowCount <= 9, "a set-aside file's name holds its row as one digit");
extern const char (&SetAsideNames)[PayloadRowCount][SetAsideNameSize];
