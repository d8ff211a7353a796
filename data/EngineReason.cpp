// Failure descriptions from the engine.
#include "data/EngineReason.h"

std::string engineReason(sqlite3* db) {
    std::string reason = sqlite3_errmsg(db);
    switch (sqlite3_errcode(db) & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            reason += " (another program is using the database file; try again when it has finished)";
            break;
        case SQLITE_FULL:
            reason += " (the disk is full; nothing was written)";
            break;
        case SQLITE_IOERR:
            reason += " (the disk could not be read or written; nothing was changed)";
            break;
        case SQLITE_READONLY:
            reason += " (the database file cannot be written to)";
            break;
        default:
            break;
    }
    return reason;
}
