// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classstore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <atomic>

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
                      .arg(countColumns({}, QStringLiteral(" INTEGER NOT NULL"))));
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
    return true;
}

} // namespace nuperako::classroom
