#pragma once

#include "progress/progress_entry.h"

#include <QSqlDatabase>
#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pw {

// The schema version a log of this program carries in PRAGMA user_version; a later version
// migrates from it.
constexpr int ProgressSchemaVersion = 1;

// What a log file holds, as far as this version can tell.
enum class LogCondition {
    Empty, // a new file, or one without tables: the schema is still to be made
    Ready, // the schema of this version
    Newer, // a schema of a later version, which this one leaves alone
    NotADatabase, // not an SQLite database, or not readable as one
    Damaged, // PRAGMA quick_check finds faults
    WrongSchema, // tables this version does not know
};

// One connection to a log file under a name of its own, so that several logs (and threads) never
// share one; closed and dropped with the object. A read-only one leaves the file and its folder
// exactly as they were.
class LogConnection
{
public:
    LogConnection(const std::filesystem::path &file, bool readOnly);
    ~LogConnection();
    LogConnection(const LogConnection &) = delete;
    LogConnection &operator=(const LogConnection &) = delete;

    bool IsOpen() const { return m_open; }
    QSqlDatabase Database() const;
    // The driver's text for the last failure of the connection.
    std::string LastError() const;

private:
    QString m_name;
    bool m_open = false;
};

// Whether the file starts as an SQLite database does (an empty file is a new one). Checked before
// SQLite opens a file, which would take the journal beside a stranger for its own.
bool LooksLikeDatabase(const std::filesystem::path &file);

// Reads the schema version, runs PRAGMA quick_check and compares the table with this version's;
// detail gets the driver's or the check's words when something is wrong.
LogCondition CheckLog(const QSqlDatabase &db, std::string *detail = nullptr);

// The table and the schema version, in one transaction. Throws Error with the driver's text.
void CreateLogSchema(const QSqlDatabase &db);
// Write-ahead logging with normal syncing: a commit is one append to the log file, and a crash
// loses at most the transactions not yet committed. Throws Error.
void UseWriteAheadLog(const QSqlDatabase &db);
// One INSERT in a transaction of its own; returns the new entry's id. Throws Error.
std::int64_t InsertLogEntry(const QSqlDatabase &db, const ProgressEntry &entry);
// Every entry, ordered by the moment it was finished (then by id). Throws Error.
std::vector<ProgressEntry> ReadLogEntries(const QSqlDatabase &db);

// The command line's view of a log: its entries read without changing the file or its folder;
// nothing when the file does not exist. Throws Error, in English, when it cannot be read.
std::optional<std::vector<ProgressEntry>> ReadProgressFile(const std::filesystem::path &file);

} // namespace pw
