#include "progress/progress_log.h"

#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/text_format.h"
#include "platform/ui.h"
#include "progress/progress_csv.h"
#include "progress/progress_database.h"

#include <QDateTime>

namespace pw {

namespace {

const char *const Caption = "Журнал результатов";

std::filesystem::path withSuffix(const std::filesystem::path &file, const std::string &suffix)
{
    return file.string() + suffix;
}

} // namespace

ProgressLog::ProgressLog(std::filesystem::path file, Ui &ui)
    : m_file(std::move(file))
    , m_ui(ui)
{
}

ProgressLog::~ProgressLog() = default;

bool ProgressLog::IsOn()
{
    return open();
}

void ProgressLog::tell(const std::string &text)
{
    if (m_told)
        return;
    m_told = true;
    m_ui.message(Caption, text);
}

void ProgressLog::turnOff(const std::string &reason)
{
    m_connection.reset();
    m_state = State::Off;
    tell(FormatText("Журнал результатов %1 отключён до конца работы: %2", {m_file.string(), reason}));
}

std::string ProgressLog::tryOpen(bool &broken)
{
    broken = false;
    std::error_code ec;
    const bool existed = std::filesystem::exists(m_file, ec);
    if (existed && !LooksLikeDatabase(m_file)) {
        broken = true;
        return "файл журнала повреждён";
    }
    m_connection = std::make_unique<LogConnection>(m_file, false);
    if (!m_connection->IsOpen()) {
        broken = existed;
        return "файл журнала не удалось открыть";
    }
    const QSqlDatabase db = m_connection->Database();
    switch (CheckLog(db)) {
    case LogCondition::Ready:
    case LogCondition::Empty:
        break;
    case LogCondition::Newer:
        return "журнал записан более новой версией программы";
    case LogCondition::NotADatabase:
    case LogCondition::Damaged:
    case LogCondition::WrongSchema:
        broken = true;
        return "файл журнала повреждён";
    }
    try {
        UseWriteAheadLog(db);
        if (CheckLog(db) == LogCondition::Empty)
            CreateLogSchema(db);
    } catch (const Error &) {
        return "файл журнала не удалось создать";
    }
    return {};
}

bool ProgressLog::moveAside()
{
    m_connection.reset();
    const std::string stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString();
    std::filesystem::path aside = withSuffix(m_file, ".broken-" + stamp);
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(aside, ec); ++n)
        aside = withSuffix(m_file, ".broken-" + stamp + "-" + std::to_string(n));
    std::filesystem::rename(m_file, aside, ec);
    if (ec)
        return false;
    // The journal files belong to the moved file: a new log must not pick them up.
    for (const char *journal : {"-wal", "-shm"}) {
        const std::filesystem::path from = withSuffix(m_file, journal);
        if (std::filesystem::exists(from, ec))
            std::filesystem::rename(from, withSuffix(aside, journal), ec);
        if (std::filesystem::exists(from, ec))
            std::filesystem::remove(from, ec);
    }
    m_movedAside = aside;
    return true;
}

bool ProgressLog::open()
{
    if (m_state != State::Closed)
        return m_state == State::Open;
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    if (ec) {
        turnOff("папку журнала не удалось создать");
        return false;
    }
    // A read-only folder would make a sound file look broken: its journal cannot be made there.
    if (!IsWritableFolder(m_file.parent_path())) {
        turnOff("папка журнала закрыта для записи");
        return false;
    }
    bool broken = false;
    std::string problem = tryOpen(broken);
    if (!problem.empty() && broken) {
        if (!moveAside()) {
            turnOff("повреждённый файл журнала не удалось переименовать");
            return false;
        }
        problem = tryOpen(broken);
        if (problem.empty())
            tell(FormatText("Журнал результатов %1 был повреждён: он переименован в %2, начат новый журнал.",
                            {m_file.string(), m_movedAside.string()}));
    }
    if (!problem.empty()) {
        turnOff(problem);
        return false;
    }
    m_state = State::Open;
    return true;
}

std::optional<std::int64_t> ProgressLog::Record(const ProgressEntry &entry)
{
    if (!open())
        return std::nullopt;
    try {
        return InsertLogEntry(m_connection->Database(), entry);
    } catch (const Error &) {
        turnOff("запись в журнал не удалась");
        return std::nullopt;
    }
}

std::vector<ProgressEntry> ProgressLog::Entries()
{
    if (!open())
        return {};
    try {
        return ReadLogEntries(m_connection->Database());
    } catch (const Error &) {
        turnOff("журнал не читается");
        return {};
    }
}

void ProgressLog::WriteCsv(const std::filesystem::path &path)
{
    WriteFileAtomically(path, ProgressCsv(Entries()));
}

} // namespace pw
