#include "payload_table.h"
#include "resource_ids.h"

const PayloadEntry PayloadTable[PayloadRowCount] = {
    {"Brightlark.exe", IDR_PAYLOAD_PROGRAM, PayloadFlagExtract},
    {"Brightlark.chm", IDR_PAYLOAD_HELP, PayloadFlagExtract},
    {"cdrdr32.dll", IDR_PAYLOAD_CDREADER, PayloadFlagExtract},
    {"trkpl32.dll", IDR_PAYLOAD_PLAYLIST, PayloadFlagExtract},
    {"sfxpack1.exe", IDR_PAYLOAD_SOUNDFX, PayloadFlagExtract},
};

const char TempFileName[] = "tempfile.tmp";
const char ExpandedFileName[] = "tempfile.new";
const char SetAsideNames[PayloadRowCount][11] = {
    "tempfile.1", "tempfile.2", "tempfile.3", "tempfile.4", "tempfile.5",
};
