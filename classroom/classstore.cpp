// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classstore.h"

#include "classroom/walcheckpointer.h"
#include "platform/qtconvert.h"
#include "pool/classcode.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <random>

namespace nuperako::classroom {

namespace {

// A table's column and its type.
struct Column {
    QString name;
    QString type;
};
using Columns = std::vector<Column>;

// Whether the class's students see it: a column added to older databases, off for their classes.
constexpr QLatin1String kRevealedType("INTEGER NOT NULL DEFAULT 0");

Column text(const char *name)
{
    return {QString::fromLatin1(name), QStringLiteral("TEXT NOT NULL")};
}
Column integer(const char *name)
{
    return {QString::fromLatin1(name), QStringLiteral("INTEGER NOT NULL")};
}

// Each table's columns, in the order a row binds its values.
const Columns &classColumns()
{
    static const Columns columns{{QStringLiteral("code"), QStringLiteral("TEXT PRIMARY KEY")},
                                 integer("created_ms"),
                                 {QStringLiteral("key_hash"), QStringLiteral("BLOB")},
                                 {QStringLiteral("revealed"), kRevealedType}};
    return columns;
}
const Columns &studentColumns()
{
    static const Columns columns{text("class"), text("device"), text("seat"), integer("number"), integer("joined_ms")};
    return columns;
}
const Columns &experimentColumns()
{
    static const Columns columns = [] {
        Columns c{text("class"), text("device"), integer("experiment"), integer("seq"), integer("ended")};
        std::ranges::transform(kCountNames, std::back_inserter(c), [](std::string_view name) {
            return Column{toQString(name), QStringLiteral("INTEGER NOT NULL")};
        });
        return c;
    }();
    return columns;
}
const Columns &removedColumns()
{
    static const Columns columns{text("class"), text("device"), integer("experiment")};
    return columns;
}
const Columns &historyColumns()
{
    static const Columns columns{text("class"), integer("rounds"), integer("aiko"), integer("one_wins"),
                                 integer("one_loses")};
    return columns;
}

QStringList namesOf(const Columns &columns, qsizetype from = 0, const QString &prefix = {})
{
    QStringList names;
    for (qsizetype i = from; i < static_cast<qsizetype>(columns.size()); ++i)
        names << prefix + columns[static_cast<std::size_t>(i)].name;
    return names;
}

QString createTable(const QString &table, const Columns &columns, const QString &primaryKey = {})
{
    QStringList definitions;
    for (const Column &c : columns)
        definitions << c.name + u' ' + c.type;
    if (!primaryKey.isEmpty())
        definitions << QStringLiteral("PRIMARY KEY(%1)").arg(primaryKey);
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1(%2)").arg(table, definitions.join(QStringLiteral(", ")));
}

// "INSERT INTO table(a, b, c) VALUES(?, ?, ?)", the verb as given, and what follows it.
QString insertInto(const QString &table, const Columns &columns, const QString &then = {},
                   const QString &verb = QStringLiteral("INSERT"))
{
    const QStringList placeholders(static_cast<qsizetype>(columns.size()), QStringLiteral("?"));
    return QStringLiteral("%1 INTO %2(%3) VALUES(%4) %5")
        .arg(verb, table, namesOf(columns).join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")), then)
        .trimmed();
}

// Qt SQL keeps its connections by name: one of its own for every store.
QString connectionName()
{
    static std::atomic<int> opened{0};
    return QStringLiteral("classes-%1").arg(opened++);
}

} // namespace

ClassStore::ClassStore(const QString &file) : m_connection(connectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    if (!db.open()) {
        m_error = db.lastError().text();
        return;
    }
    const QString byExperiment = QStringLiteral("class, device, experiment");
    m_open = exec(QStringLiteral("PRAGMA journal_mode=WAL")) && exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
             // The log is copied into the file by the checkpointer, away from the writes; a write
             // checkpoints only past 4000 pages (16 MB), when little is left to copy, so that the
             // log then starts again from its beginning instead of growing.
             exec(QStringLiteral("PRAGMA wal_autocheckpoint=4000")) &&
             exec(createTable(QStringLiteral("classes"), classColumns())) &&
             addMissingColumns(QStringLiteral("classes"), {QStringLiteral("key_hash")}, QStringLiteral("BLOB")) &&
             addMissingColumns(QStringLiteral("classes"), {QStringLiteral("revealed")}, kRevealedType) &&
             exec(createTable(QStringLiteral("students"), studentColumns(), QStringLiteral("class, device"))) &&
             exec(createTable(QStringLiteral("experiments"), experimentColumns(), byExperiment)) &&
             exec(createTable(QStringLiteral("removed"), removedColumns(), byExperiment)) &&
             exec(createTable(QStringLiteral("history"), historyColumns())) &&
             exec(QStringLiteral("CREATE INDEX IF NOT EXISTS history_rounds ON history(class, rounds)")) &&
             prepareWrites();
    if (m_open)
        m_checkpointer = std::make_unique<WalCheckpointer>(file);
}

ClassStore::~ClassStore()
{
    m_checkpointer.reset();
    m_writes.reset(); // before the connection they run on
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool ClassStore::exec(const QString &statement)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    return query.exec(statement) || setError(query.lastError().text());
}

bool ClassStore::addMissingColumns(const QString &table, const std::vector<QString> &names, const QString &type)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return setError(query.lastError().text());
    QStringList present;
    while (query.next())
        present << query.value(1).toString();
    return std::ranges::all_of(names, [&](const QString &name) {
        return present.contains(name) || exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(table, name, type));
    });
}

bool ClassStore::prepare(QSqlQuery &query, const QString &statement)
{
    return query.prepare(statement) || setError(query.lastError().text());
}

bool ClassStore::run(QSqlQuery &query, const QVariantList &values)
{
    for (const QVariant &v : values)
        query.addBindValue(v);
    return query.exec() || setError(query.lastError().text());
}

bool ClassStore::setError(const QString &what)
{
    m_error = what;
    return false;
}

std::optional<std::string> ClassStore::newestClass()
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!prepare(query, QStringLiteral("SELECT code FROM classes ORDER BY created_ms DESC, rowid DESC LIMIT 1")) ||
        !run(query, {}) || !query.next())
        return std::nullopt;
    return query.value(0).toString().toStdString();
}

bool ClassStore::hasClass(const std::string &code)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    return prepare(query, QStringLiteral("SELECT 1 FROM classes WHERE code = ?")) && run(query, {toQString(code)}) &&
           query.next();
}

bool ClassStore::addClass(const std::string &code, std::int64_t createdMs, const std::string &keyHash)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    return prepare(query, insertInto(QStringLiteral("classes"), classColumns())) &&
           run(query, {toQString(code), static_cast<qint64>(createdMs), QByteArray::fromStdString(keyHash), false});
}

bool ClassStore::setKeyHash(const std::string &code, const std::string &keyHash)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    return prepare(query, QStringLiteral("UPDATE classes SET key_hash = ? WHERE code = ?")) &&
           run(query, {QByteArray::fromStdString(keyHash), toQString(code)});
}

std::optional<pool::ClassSession> ClassStore::loadSession(const std::string &code)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!prepare(query, QStringLiteral("SELECT key_hash, revealed FROM classes WHERE code = ?")) ||
        !run(query, {toQString(code)}) || !query.next())
        return std::nullopt;
    const std::string keyHash = query.value(0).toByteArray().toStdString();
    const bool revealed = query.value(1).toBool();
    pool::ClassPool pool(code);
    pool::PooledHistory history;
    if (!load(pool) || !loadHistory(code, history))
        return std::nullopt;
    return pool::ClassSession(std::move(pool), std::move(history), keyHash, revealed);
}

std::optional<std::string> ClassStore::makeClass(std::int64_t createdMs, const std::string &keyHash)
{
    std::random_device device;
    constexpr int kTries = 10;
    for (int i = 0; i < kTries; ++i) {
        const std::uint64_t bits = (std::uint64_t{device()} << 32U) | device();
        const std::string code = pool::classCode(bits);
        if (addClass(code, createdMs, keyHash))
            return code;
    }
    return std::nullopt;
}

bool ClassStore::load(pool::ClassPool &pool)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection);
    const QVariantList ofClass{toQString(pool.code())};
    QSqlQuery students(db);
    if (!prepare(students, QStringLiteral("SELECT %1 FROM students WHERE class = ? ORDER BY number")
                               .arg(namesOf(studentColumns(), 1).join(QStringLiteral(", ")))) ||
        !run(students, ofClass))
        return false;
    while (students.next()) {
        pool.restoreStudent(students.value(0).toString().toStdString(), students.value(1).toString().toStdString(),
                            students.value(2).toInt(), students.value(3).toLongLong());
    }
    QSqlQuery experiments(db);
    if (!prepare(experiments, QStringLiteral("SELECT %1 FROM experiments WHERE class = ?")
                                  .arg(namesOf(experimentColumns(), 1).join(QStringLiteral(", ")))) ||
        !run(experiments, ofClass))
        return false;
    while (experiments.next()) {
        // device, experiment, seq, ended, then the nine counts
        pool::ExperimentState state;
        state.seq = experiments.value(2).toLongLong();
        state.ended = experiments.value(3).toBool();
        for (std::size_t c = 0; c < kCountCount; ++c)
            state.counts.values[c] = static_cast<std::int16_t>(experiments.value(static_cast<int>(4 + c)).toInt());
        pool.restoreExperiment(experiments.value(0).toString().toStdString(), experiments.value(1).toLongLong(), state);
    }
    QSqlQuery removed(db);
    if (!prepare(removed, QStringLiteral("SELECT device, experiment FROM removed WHERE class = ?")) ||
        !run(removed, ofClass))
        return false;
    while (removed.next())
        pool.restoreRemoved(removed.value(0).toString().toStdString(), removed.value(1).toLongLong());
    return true;
}

bool ClassStore::loadHistory(const std::string &code, pool::PooledHistory &history)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!prepare(query, QStringLiteral("SELECT %1 FROM history WHERE class = ? ORDER BY rowid")
                            .arg(namesOf(historyColumns(), 1).join(QStringLiteral(", ")))) ||
        !run(query, {toQString(code)}))
        return false;
    while (query.next()) {
        history.record({query.value(0).toLongLong(),
                        {query.value(1).toLongLong(), query.value(2).toLongLong(), query.value(3).toLongLong()}});
    }
    return true;
}

bool ClassStore::write(const std::vector<const pool::ClassRows *> &classes)
{
    if (classes.empty())
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.transaction())
        return setError(db.lastError().text());
    bool written = std::ranges::all_of(classes, [this](const pool::ClassRows *rows) { return writeClass(*rows); });
    if (written && !db.commit())
        written = setError(db.lastError().text());
    if (!written)
        static_cast<void>(db.rollback()); // a failed rollback leaves nothing written either
    return written;
}

struct ClassStore::Writes {
    explicit Writes(const QSqlDatabase &db)
        : student(db), experiment(db), forget(db), remember(db), later(db), point(db), reveal(db)
    {
    }
    QSqlQuery student;
    QSqlQuery experiment;
    QSqlQuery forget;
    QSqlQuery remember;
    QSqlQuery later;
    QSqlQuery point;
    QSqlQuery reveal;
};

bool ClassStore::prepareWrites()
{
    m_writes = std::make_unique<Writes>(QSqlDatabase::database(m_connection));
    auto &[student, experiment, forget, remember, later, point, reveal] = *m_writes;
    // A state replaces only an older one: the newest state is the one kept. After a removal the pool
    // has fewer rounds than the history's end: the points from its rounds on go.
    const QStringList stateColumns = namesOf(experimentColumns(), 3);
    return prepare(student,
                   insertInto(QStringLiteral("students"), studentColumns(),
                              QStringLiteral("ON CONFLICT(class, device) DO UPDATE SET seat = excluded.seat"))) &&
           prepare(experiment,
                   insertInto(QStringLiteral("experiments"), experimentColumns(),
                              QStringLiteral("ON CONFLICT(class, device, experiment) DO UPDATE SET (%1) = (%2) "
                                             "WHERE excluded.seq > experiments.seq")
                                  .arg(stateColumns.join(QStringLiteral(", ")),
                                       namesOf(experimentColumns(), 3, QStringLiteral("excluded."))
                                           .join(QStringLiteral(", "))))) &&
           prepare(forget,
                   QStringLiteral("DELETE FROM experiments WHERE class = ? AND device = ? AND experiment = ?")) &&
           prepare(remember,
                   insertInto(QStringLiteral("removed"), removedColumns(), {}, QStringLiteral("INSERT OR IGNORE"))) &&
           prepare(later, QStringLiteral("DELETE FROM history WHERE class = ? AND rounds >= ?")) &&
           prepare(point, insertInto(QStringLiteral("history"), historyColumns())) &&
           prepare(reveal, QStringLiteral("UPDATE classes SET revealed = ? WHERE code = ?"));
}

bool ClassStore::writeClass(const pool::ClassRows &rows)
{
    auto &[student, experiment, forget, remember, later, point, reveal] = *m_writes;
    const QString code = toQString(rows.classCode);
    for (const auto &[device, s] : rows.students) {
        if (!run(student, {code, toQString(device), toQString(s.seat), s.number, static_cast<qint64>(s.joinedMs)}))
            return false;
    }
    for (const auto &[key, state] : rows.experiments) {
        QVariantList values{code, toQString(key.first), static_cast<qint64>(key.second), static_cast<qint64>(state.seq),
                            state.ended};
        for (const std::int16_t n : state.counts.values)
            values << n;
        if (!run(experiment, values))
            return false;
    }
    for (const auto &[device, number] : rows.removals) {
        const QVariantList key{code, toQString(device), static_cast<qint64>(number)};
        if (!run(forget, key) || !run(remember, key))
            return false;
    }
    for (const pool::HistoryPoint &p : rows.history) {
        if (!run(later, {code, static_cast<qint64>(p.rounds)}) ||
            !run(point, {code, static_cast<qint64>(p.rounds), static_cast<qint64>(p.totals[0]),
                         static_cast<qint64>(p.totals[1]), static_cast<qint64>(p.totals[2])}))
            return false;
    }
    return !rows.revealed || run(reveal, {*rows.revealed, code});
}

} // namespace nuperako::classroom
