#include "progress/progress_database.h"

#include "platform/error.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <fstream>

namespace pw {

namespace {

const QStringList &columns()
{
    static const QStringList names {"id",       "menu_file",    "lesson_file", "lesson_caption",
                                    "kind",     "finished_at",  "mark",        "errors",
                                    "attempts", "seconds_used", "language"};
    return names;
}

constexpr const char *CreateTable = R"(CREATE TABLE entries (
    id INTEGER PRIMARY KEY,
    menu_file TEXT NOT NULL,
    lesson_file TEXT NOT NULL,
    lesson_caption TEXT NOT NULL,
    kind TEXT NOT NULL,
    finished_at TEXT NOT NULL,
    mark INTEGER CHECK (mark BETWEEN 2 AND 5),
    errors INTEGER NOT NULL,
    attempts INTEGER NOT NULL,
    seconds_used INTEGER,
    language TEXT NOT NULL))";

std::string textOf(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.toStdString();
}

// Runs one statement; throws Error with the driver's words when it fails.
QSqlQuery run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        throw Error(textOf(query.lastError()));
    return query;
}

QVariant optionalValue(const std::optional<int> &value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

std::optional<int> optionalInt(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

} // namespace

LogConnection::LogConnection(const std::filesystem::path &file, bool readOnly)
{
    static std::atomic<int> serial {0};
    m_name = QString("pw-progress-%1").arg(++serial);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
    const QString name = QString::fromStdString(file.string());
    db.setDatabaseName(name);
    if (readOnly) {
        // A reader would leave an empty journal and index behind, which only a writer removes.
        // Without a journal no writer has the file open, and it is read as it lies on disk.
        std::error_code ec;
        if (std::filesystem::exists(file.string() + "-wal", ec)) {
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
        } else {
            db.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
            db.setDatabaseName(QUrl::fromLocalFile(name).toString(QUrl::FullyEncoded) + "?immutable=1");
        }
    }
    m_open = db.open();
}

LogConnection::~LogConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase LogConnection::Database() const
{
    return QSqlDatabase::database(m_name, false);
}

std::string LogConnection::LastError() const
{
    return textOf(Database().lastError());
}

bool LooksLikeDatabase(const std::filesystem::path &file)
{
    static constexpr char Header[] = "SQLite format 3";
    std::ifstream in(file, std::ios::binary);
    char start[sizeof Header] = {};
    in.read(start, sizeof start);
    if (in.gcount() == 0 && in.eof())
        return true;
    return in.gcount() == sizeof start && std::equal(start, start + sizeof start, Header);
}

LogCondition CheckLog(const QSqlDatabase &db, std::string *detail)
{
    const auto fail = [detail](LogCondition condition, const std::string &why) {
        if (detail)
            *detail = why;
        return condition;
    };
    // The first read of the file: anything but an SQLite database fails here.
    QSqlQuery version(db);
    if (!version.exec("PRAGMA user_version") || !version.next()) {
        // SQLITE_CORRUPT: a database, but a damaged one.
        const bool corrupt = version.lastError().nativeErrorCode() == "11";
        return fail(corrupt ? LogCondition::Damaged : LogCondition::NotADatabase,
                    textOf(version.lastError()));
    }
    const int schema = version.value(0).toInt();
    version.finish();

    QSqlQuery check(db);
    if (!check.exec("PRAGMA quick_check"))
        return fail(LogCondition::Damaged, textOf(check.lastError()));
    QStringList findings;
    while (check.next())
        findings << check.value(0).toString();
    if (findings != QStringList {"ok"})
        return fail(LogCondition::Damaged, findings.join("; ").toStdString());

    QSqlQuery tables(db);
    if (!tables.exec("SELECT count(*) FROM sqlite_master") || !tables.next())
        return fail(LogCondition::NotADatabase, textOf(tables.lastError()));
    const int tableCount = tables.value(0).toInt();
    if (schema == 0)
        return tableCount == 0 ? LogCondition::Empty
                               : fail(LogCondition::WrongSchema, "tables without a schema version");
    if (schema > ProgressSchemaVersion)
        return fail(LogCondition::Newer, "schema version " + std::to_string(schema));
    if (schema < ProgressSchemaVersion)
        return fail(LogCondition::WrongSchema, "schema version " + std::to_string(schema));

    QSqlQuery info(db);
    QStringList found;
    if (info.exec("PRAGMA table_info(entries)")) {
        while (info.next())
            found << info.value(1).toString();
    }
    if (found != columns())
        return fail(LogCondition::WrongSchema,
                    "the table entries has the columns " + found.join(", ").toStdString());
    return LogCondition::Ready;
}

void CreateLogSchema(const QSqlDatabase &db)
{
    QSqlDatabase writer = db;
    if (!writer.transaction())
        throw Error(textOf(writer.lastError()));
    try {
        run(db, CreateTable);
        run(db, QString("PRAGMA user_version = %1").arg(ProgressSchemaVersion));
    } catch (const Error &) {
        writer.rollback();
        throw;
    }
    if (!writer.commit())
        throw Error(textOf(writer.lastError()));
}

void UseWriteAheadLog(const QSqlDatabase &db)
{
    QSqlQuery mode = run(db, "PRAGMA journal_mode = WAL");
    if (!mode.next() || mode.value(0).toString().compare("wal", Qt::CaseInsensitive) != 0)
        throw Error("the journal cannot be switched to WAL");
    run(db, "PRAGMA synchronous = NORMAL");
}

std::int64_t InsertLogEntry(const QSqlDatabase &db, const ProgressEntry &entry)
{
    QSqlDatabase writer = db;
    if (!writer.transaction())
        throw Error(textOf(writer.lastError()));
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO entries (menu_file, lesson_file, lesson_caption, kind, finished_at, mark, "
                   "errors, attempts, seconds_used, language) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const QVariant &value :
         {QVariant(QString::fromStdString(entry.menuFile)),
          QVariant(QString::fromStdString(entry.lessonFile)),
          QVariant(QString::fromStdString(entry.lessonCaption)), QVariant(QString::fromStdString(entry.kind)),
          QVariant(QString::fromStdString(entry.finishedAt)), optionalValue(entry.mark),
          QVariant(entry.errors), QVariant(entry.attempts), optionalValue(entry.secondsUsed),
          QVariant(QString::fromStdString(entry.language))})
        insert.addBindValue(value);
    if (!insert.exec()) {
        const std::string why = textOf(insert.lastError());
        writer.rollback();
        throw Error(why);
    }
    const std::int64_t id = insert.lastInsertId().toLongLong();
    insert.finish();
    if (!writer.commit())
        throw Error(textOf(writer.lastError()));
    return id;
}

std::vector<ProgressEntry> ReadLogEntries(const QSqlDatabase &db)
{
    QSqlQuery query
        = run(db, "SELECT " + columns().join(", ") + " FROM entries ORDER BY julianday(finished_at), id");
    std::vector<ProgressEntry> entries;
    while (query.next()) {
        ProgressEntry e;
        e.id = query.value(0).toLongLong();
        e.menuFile = query.value(1).toString().toStdString();
        e.lessonFile = query.value(2).toString().toStdString();
        e.lessonCaption = query.value(3).toString().toStdString();
        e.kind = query.value(4).toString().toStdString();
        e.finishedAt = query.value(5).toString().toStdString();
        e.mark = optionalInt(query.value(6));
        e.errors = query.value(7).toInt();
        e.attempts = query.value(8).toInt();
        e.secondsUsed = optionalInt(query.value(9));
        e.language = query.value(10).toString().toStdString();
        entries.push_back(std::move(e));
    }
    if (query.lastError().isValid())
        throw Error(textOf(query.lastError()));
    return entries;
}

std::optional<std::vector<ProgressEntry>> ReadProgressFile(const std::filesystem::path &file)
{
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return std::nullopt;
    const std::string where = "the progress log " + file.string();
    if (!LooksLikeDatabase(file))
        throw Error(where + " is not a database");
    LogConnection connection(file, true);
    if (!connection.IsOpen())
        throw Error(where + " cannot be opened: " + connection.LastError());
    std::string detail;
    switch (CheckLog(connection.Database(), &detail)) {
    case LogCondition::Ready:
        break;
    case LogCondition::Empty:
        return std::vector<ProgressEntry> {};
    case LogCondition::Newer:
        throw Error(where + " was written by a newer version of the program (" + detail + ")");
    case LogCondition::NotADatabase:
        throw Error(where + " is not a database: " + detail);
    case LogCondition::Damaged:
        throw Error(where + " is damaged: " + detail);
    case LogCondition::WrongSchema:
        throw Error(where + " has an unknown layout: " + detail);
    }
    try {
        return ReadLogEntries(connection.Database());
    } catch (const Error &e) {
        throw Error(where + " cannot be read: " + e.what());
    }
}

} // namespace pw
