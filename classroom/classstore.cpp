// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classstore.h"

#include "pool/classcode.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <atomic>
#include <random>

namespace nuperako::classroom {

namespace {

// "aiko,a1kati,...", each name between prefix and suffix.
QString countColumns(const QString &prefix = {}, const QString &suffix = {})
{
    QStringList columns;
    for (const std::string_view c : kCountNames)
        columns << prefix + QLatin1String(c.data(), static_cast<qsizetype>(c.size())) + suffix;
    return columns.join(QLatin1Char(','));
}

QString fromStd(const std::string &s)
{
    return QString::fromStdString(s);
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
    m_open = exec(QStringLiteral("PRAGMA journal_mode=WAL")) && exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
             exec(QStringLiteral("CREATE TABLE IF NOT EXISTS classes(code TEXT PRIMARY KEY, created_ms INTEGER "
                                 "NOT NULL)")) &&
             exec(QStringLiteral("CREATE TABLE IF NOT EXISTS students(class TEXT NOT NULL, device TEXT NOT NULL, "
                                 "seat TEXT NOT NULL, number INTEGER NOT NULL, joined_ms INTEGER NOT NULL, "
                                 "PRIMARY KEY(class, device))")) &&
             exec(QStringLiteral("CREATE TABLE IF NOT EXISTS experiments(class TEXT NOT NULL, device TEXT NOT "
                                 "NULL, experiment INTEGER NOT NULL, seq INTEGER NOT NULL, %1, ended INTEGER NOT "
                                 "NULL, PRIMARY KEY(class, device, experiment))")
                      .arg(countColumns({}, QStringLiteral(" INTEGER NOT NULL")))) &&
             exec(QStringLiteral("CREATE TABLE IF NOT EXISTS removed(class TEXT NOT NULL, device TEXT NOT NULL, "
                                 "experiment INTEGER NOT NULL, PRIMARY KEY(class, device, experiment))")) &&
             exec(QStringLiteral("CREATE TABLE IF NOT EXISTS history(class TEXT NOT NULL, rounds INTEGER NOT NULL, "
                                 "aiko INTEGER NOT NULL, one_wins INTEGER NOT NULL, one_loses INTEGER NOT NULL)")) &&
             exec(QStringLiteral("CREATE INDEX IF NOT EXISTS history_rounds ON history(class, rounds)"));
}

ClassStore::~ClassStore()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool ClassStore::exec(const QString &statement)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    return query.exec(statement) || fail(query.lastError().text());
}

bool ClassStore::fail(const QString &what)
{
    m_error = what;
    return false;
}

std::optional<std::string> ClassStore::newestClass()
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.exec(QStringLiteral("SELECT code FROM classes ORDER BY created_ms DESC, rowid DESC LIMIT 1"))) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return query.value(0).toString().toStdString();
}

bool ClassStore::hasClass(const std::string &code)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.prepare(QStringLiteral("SELECT 1 FROM classes WHERE code = ?")))
        return fail(query.lastError().text());
    query.addBindValue(fromStd(code));
    return (query.exec() || fail(query.lastError().text())) && query.next();
}

bool ClassStore::addClass(const std::string &code, std::int64_t createdMs)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.prepare(QStringLiteral("INSERT INTO classes(code, created_ms) VALUES(?, ?)")))
        return fail(query.lastError().text());
    query.addBindValue(fromStd(code));
    query.addBindValue(static_cast<qint64>(createdMs));
    return query.exec() || fail(query.lastError().text());
}

std::optional<std::string> ClassStore::makeClass(std::int64_t createdMs)
{
    std::random_device device;
    constexpr int kTries = 10;
    for (int i = 0; i < kTries; ++i) {
        const std::uint64_t bits = (std::uint64_t{device()} << 32U) | device();
        const std::string code = pool::classCode(bits);
        if (addClass(code, createdMs))
            return code;
    }
    return std::nullopt;
}

bool ClassStore::load(pool::ClassPool &pool)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery students(db);
    if (!students.prepare(QStringLiteral("SELECT device, seat, number, joined_ms FROM students WHERE class = ? "
                                         "ORDER BY number")))
        return fail(students.lastError().text());
    students.addBindValue(fromStd(pool.code()));
    if (!students.exec())
        return fail(students.lastError().text());
    while (students.next()) {
        pool.restoreStudent(students.value(0).toString().toStdString(), students.value(1).toString().toStdString(),
                            students.value(2).toInt(), students.value(3).toLongLong());
    }
    QSqlQuery experiments(db);
    if (!experiments.prepare(
            QStringLiteral("SELECT device, experiment, seq, ended, %1 FROM experiments WHERE class = ?")
                .arg(countColumns())))
        return fail(experiments.lastError().text());
    experiments.addBindValue(fromStd(pool.code()));
    if (!experiments.exec())
        return fail(experiments.lastError().text());
    while (experiments.next()) {
        pool::ExperimentState state;
        state.seq = experiments.value(2).toLongLong();
        state.ended = experiments.value(3).toBool();
        for (std::size_t c = 0; c < kCountCount; ++c)
            state.counts.values[c] = static_cast<std::int16_t>(experiments.value(static_cast<int>(4 + c)).toInt());
        pool.restoreExperiment(experiments.value(0).toString().toStdString(), experiments.value(1).toLongLong(), state);
    }
    QSqlQuery removed(db);
    if (!removed.prepare(QStringLiteral("SELECT device, experiment FROM removed WHERE class = ?")))
        return fail(removed.lastError().text());
    removed.addBindValue(fromStd(pool.code()));
    if (!removed.exec())
        return fail(removed.lastError().text());
    while (removed.next())
        pool.restoreRemoved(removed.value(0).toString().toStdString(), removed.value(1).toLongLong());
    return true;
}

bool ClassStore::loadHistory(const std::string &code, pool::PooledHistory &history)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.prepare(QStringLiteral("SELECT rounds, aiko, one_wins, one_loses FROM history WHERE class = ? "
                                      "ORDER BY rowid")))
        return fail(query.lastError().text());
    query.addBindValue(fromStd(code));
    if (!query.exec())
        return fail(query.lastError().text());
    while (query.next()) {
        history.record({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toLongLong(),
                        query.value(3).toLongLong()});
    }
    return true;
}

void ClassStore::stageStudent(const std::string &code, const std::string &device, const pool::Student &student)
{
    m_students[{code, device}] = {student.seat, student.number, student.joinedMs};
}

void ClassStore::stageExperiment(const std::string &code, const std::string &device, std::int64_t experiment,
                                 const pool::ExperimentState &state)
{
    m_experiments[{code, device, experiment}] = state;
}

void ClassStore::stageRemoval(const std::string &code, const std::string &device, std::int64_t experiment)
{
    m_removals.emplace_back(code, device, experiment);
}

void ClassStore::stageHistory(const std::string &code, const pool::HistoryPoint &point)
{
    m_history.emplace_back(code, point);
}

bool ClassStore::commit()
{
    if (!hasStaged())
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.transaction())
        return fail(db.lastError().text());
    bool written = writeStaged(db);
    if (written && !db.commit())
        written = fail(db.lastError().text());
    if (!written) {
        static_cast<void>(db.rollback()); // a failed rollback leaves nothing written either
        return false;
    }
    m_students.clear();
    m_experiments.clear();
    m_removals.clear();
    m_history.clear();
    return true;
}

bool ClassStore::writeStaged(const QSqlDatabase &db)
{
    QSqlQuery student(db);
    if (!student.prepare(QStringLiteral("INSERT INTO students(class, device, seat, number, joined_ms) "
                                        "VALUES(?, ?, ?, ?, ?) "
                                        "ON CONFLICT(class, device) DO UPDATE SET seat = excluded.seat")))
        return fail(student.lastError().text());
    for (const auto &[key, row] : m_students) {
        student.addBindValue(fromStd(key.first));
        student.addBindValue(fromStd(key.second));
        student.addBindValue(fromStd(row.seat));
        student.addBindValue(row.number);
        student.addBindValue(static_cast<qint64>(row.joinedMs));
        if (!student.exec())
            return fail(student.lastError().text());
    }
    // A state replaces only an older one: the newest state is the one kept.
    QSqlQuery experiment(db);
    if (!experiment.prepare(QStringLiteral("INSERT INTO experiments(class, device, experiment, seq, ended, %1) "
                                           "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                           "ON CONFLICT(class, device, experiment) DO UPDATE SET (seq, ended, %1) = "
                                           "(excluded.seq, excluded.ended, %2) WHERE excluded.seq > experiments.seq")
                                .arg(countColumns(), countColumns(QStringLiteral("excluded.")))))
        return fail(experiment.lastError().text());
    for (const auto &[key, state] : m_experiments) {
        experiment.addBindValue(fromStd(std::get<0>(key)));
        experiment.addBindValue(fromStd(std::get<1>(key)));
        experiment.addBindValue(static_cast<qint64>(std::get<2>(key)));
        experiment.addBindValue(static_cast<qint64>(state.seq));
        experiment.addBindValue(state.ended);
        for (const std::int16_t n : state.counts.values)
            experiment.addBindValue(n);
        if (!experiment.exec())
            return fail(experiment.lastError().text());
    }
    return writeRemovals(db) && writeHistory(db);
}

bool ClassStore::writeRemovals(const QSqlDatabase &db)
{
    QSqlQuery forget(db);
    QSqlQuery remember(db);
    if (!forget.prepare(QStringLiteral("DELETE FROM experiments WHERE class = ? AND device = ? AND experiment = ?")) ||
        !remember.prepare(QStringLiteral("INSERT OR IGNORE INTO removed(class, device, experiment) VALUES(?, ?, ?)")))
        return fail(forget.lastError().text() + remember.lastError().text());
    for (const auto &[code, device, number] : m_removals) {
        for (QSqlQuery *query : {&forget, &remember}) {
            query->addBindValue(fromStd(code));
            query->addBindValue(fromStd(device));
            query->addBindValue(static_cast<qint64>(number));
            if (!query->exec())
                return fail(query->lastError().text());
        }
    }
    return true;
}

bool ClassStore::writeHistory(const QSqlDatabase &db)
{
    QSqlQuery later(db);
    QSqlQuery point(db);
    if (!later.prepare(QStringLiteral("DELETE FROM history WHERE class = ? AND rounds >= ?")) ||
        !point.prepare(QStringLiteral("INSERT INTO history(class, rounds, aiko, one_wins, one_loses) "
                                      "VALUES(?, ?, ?, ?, ?)")))
        return fail(later.lastError().text() + point.lastError().text());
    std::map<std::string, std::int64_t> lastRounds; // of the points written here, by class
    for (const auto &[code, p] : m_history) {
        // After a removal the pool has fewer rounds than the history's end: the points past it go.
        const auto last = lastRounds.find(code);
        if (last == lastRounds.end() || p.rounds <= last->second) {
            later.addBindValue(fromStd(code));
            later.addBindValue(static_cast<qint64>(p.rounds));
            if (!later.exec())
                return fail(later.lastError().text());
        }
        lastRounds[code] = p.rounds;
        point.addBindValue(fromStd(code));
        for (const std::int64_t n : {p.rounds, p.aiko, p.oneWins, p.oneLoses})
            point.addBindValue(static_cast<qint64>(n));
        if (!point.exec())
            return fail(point.lastError().text());
    }
    return true;
}

} // namespace nuperako::classroom
