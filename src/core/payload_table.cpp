#include "core/payload_table.h"
#include "resource_ids.h"

// The names of the list, in its order.
static constexpr const char *PayloadNames[PayloadRowCount] = {
#define PAYLOAD_FILE(name) name,
#include "core/payload_files.h"
#undef PAYLOAD_FILE
};

struct PayloadTables {
    PayloadEntry rows[PayloadRowCount];
    char setAsideNames[PayloadRowCount][SetAsideNameSize];
};

// Each row's resource follows the one before it; each set-aside name is
// "Brightlark.~" and the row's digit, counted from 1.
static constexpr PayloadTables MakeTables()
{
    constexpr char SetAsidePrefix[] = "Brightlark.~";
    PayloadTables tables = {};
    for (unsigned row = 0; row < PayloadRowCount; ++row) {
        PayloadEntry &entry = tables.rows[row];
        for (unsigned i = 0; PayloadNames[row][i] != '\0'; ++i)
            entry.fileName[i] = PayloadNames[row][i];
        entry.resourceId = IDR_PAYLOAD_FIRST + row;
        entry.flags = PayloadFlagExtract;
        char *name = tables.setAsideNames[row];
        for (unsigned i = 0; i < sizeof SetAsidePrefix - 1; ++i)
            name[i] = SetAsidePrefix[i];
        name[sizeof SetAsidePrefix - 1] = static_cast<char>('1' + row);
    }
    return tables;
}

static constexpr PayloadTables Tables = MakeTables();
const PayloadEntry (&PayloadTable)[PayloadRowCount] = Tables.rows;
const char (&SetAsideNames)[PayloadRowCount][SetAsideNameSize] = Tables.setAsideNames;

const char CompressedFileName[] = "Brightlark.~c";
const char ExpandedFileName[] = "Brightlark.~n";
const char PassMarkerName[] = "Brightlark.~p";
