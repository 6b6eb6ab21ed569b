#pragma once

#include "progress/progress_entry.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pw {

class LogConnection;
class Ui;

// The student's log of finished lessons, an SQLite database at a path the caller gives (the
// program's is UserDataFolder() / "progress.sqlite"). It opens when first needed. A file that
// cannot be opened or is not a sound log of this version is renamed aside
// (progress.sqlite.broken-<time>, with its -wal and -shm) and a new log is started; when not even
// that can be done, the log is off for the rest of the run. Either is told once through the Ui;
// nothing here throws at the program or stops it.
class ProgressLog
{
public:
    ProgressLog(std::filesystem::path file, Ui &ui);
    ~ProgressLog();
    ProgressLog(const ProgressLog &) = delete;
    ProgressLog &operator=(const ProgressLog &) = delete;

    // Adds the entry in a transaction of its own; its new id, or nothing when the log is off.
    std::optional<std::int64_t> Record(const ProgressEntry &entry);
    // Every entry, ordered by the moment it was finished; none when the log is off.
    std::vector<ProgressEntry> Entries();
    // The entries as CSV (see ProgressCsv), saved through WriteFileAtomically; throws its
    // FileWriteError.
    void WriteCsv(const std::filesystem::path &path);

    // Whether the log can be used in this run (opening it first).
    bool IsOn();
    const std::filesystem::path &File() const { return m_file; }
    // Where a damaged file was moved to; empty when none was.
    const std::filesystem::path &MovedAside() const { return m_movedAside; }

private:
    enum class State { Closed, Open, Off };

    bool open();
    // Opens the file and makes sure it holds this version's table; an empty reason on success,
    // else why not. broken tells whether the file itself is at fault.
    std::string tryOpen(bool &broken);
    bool moveAside();
    void turnOff(const std::string &reason);
    void tell(const std::string &text);

    std::filesystem::path m_file;
    Ui &m_ui;
    State m_state = State::Closed;
    std::unique_ptr<LogConnection> m_connection;
    std::filesystem::path m_movedAside;
    bool m_told = false;
};

} // namespace pw
