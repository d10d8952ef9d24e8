#include "core/payload_table.h"
#include "resource_ids.h"

const PayloadEntry PayloadTable[PayloadRowCount] = {
    {"Brightlark.exe", IDR_PAYLOAD_PROGRAM, PayloadFlagExtract},
    {"Brightlark.chm", IDR_PAYLOAD_HELP, PayloadFlagExtract},
    {"cdrdr32.dll", IDR_PAYLOAD_CDREADER, PayloadFlagExtract},
    {"trkpl32.dll", IDR_PAYLOAD_PLAYLIST, PayloadFlagExtract},
    {"sfxpack1.exe", IDR_PAYLOAD_SOUNDFX, PayloadFlagExtract},
};

const char CompressedFileName[] = "Brightlark.~c";
const char ExpandedFileName[] = "Brightlark.~n";
const char PassMarkerName[] = "Brightlark.~p";
const char SetAsideNames[PayloadRowCount][14] = {
    "Brightlark.~1", "Brightlark.~2", "Brightlark.~3", "Brightlark.~4", "Brightlark.~5",
};
