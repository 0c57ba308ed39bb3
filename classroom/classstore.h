// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/classpool.h"
#include "pool/pooledhistory.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace nuperako::classroom {

// The classes in an SQLite file: each class's code, its students' seats, the
// newest state of every experiment, the experiments taken out of the class and
// the history of the class's pooled tally. Changes are staged and written
// together by commit(), in one transaction, synced to the disk (WAL,
// synchronous=FULL) before it returns: what it reports written survives a
// crash of the program or of the machine.
class ClassStore {
public:
    // Opens (or creates) the file; isOpen() and error() tell how it went.
    explicit ClassStore(const QString &file);
    ~ClassStore();
    ClassStore(const ClassStore &) = delete;
    ClassStore &operator=(const ClassStore &) = delete;

    [[nodiscard]] bool isOpen() const { return m_open; }
    [[nodiscard]] QString error() const { return m_error; }

    // The code of the class made last, if any.
    std::optional<std::string> newestClass();
    // Whether the class was ever made here.
    bool hasClass(const std::string &code);
    // A new class, written at once.
    bool addClass(const std::string &code, std::int64_t createdMs);
    // A new class with a random code not used here before; nothing if it cannot be written.
    std::optional<std::string> makeClass(std::int64_t createdMs);
    // Everything kept of the class, into its pool.
    bool load(pool::ClassPool &pool);
    // The class's pooled tally as it grew.
    bool loadHistory(const std::string &code, pool::PooledHistory &history);

    void stageStudent(const std::string &code, const std::string &device, const pool::Student &student);
    void stageExperiment(const std::string &code, const std::string &device, std::int64_t experiment,
                         const pool::ExperimentState &state);
    // The experiment leaves the class; it is remembered, so that its states are refused later too.
    void stageRemoval(const std::string &code, const std::string &device, std::int64_t experiment);
    // The pool's tally now, at the end of the class's history: a point with fewer
    // rounds than the ones before (an experiment removed) replaces those from its rounds on.
    void stageHistory(const std::string &code, const pool::HistoryPoint &point);
    [[nodiscard]] bool hasStaged() const
    {
        return !m_students.empty() || !m_experiments.empty() || !m_removals.empty() || !m_history.empty();
    }
    // Writes everything staged. On failure nothing is written and everything stays staged.
    bool commit();

private:
    struct StudentRow {
        std::string seat;
        int number;
        std::int64_t joinedMs;
    };
    using ExperimentKey = std::tuple<std::string, std::string, std::int64_t>; // class, device, experiment
    bool exec(const QString &statement);
    // Every staged row, inside the transaction commit() has begun.
    bool writeStaged(const QSqlDatabase &db);
    bool writeRemovals(const QSqlDatabase &db);
    bool writeHistory(const QSqlDatabase &db);
    bool fail(const QString &what);

    QString m_connection;
    bool m_open = false;
    QString m_error;
    std::map<std::pair<std::string, std::string>, StudentRow> m_students; // by class and device
    std::map<ExperimentKey, pool::ExperimentState> m_experiments;
    std::vector<ExperimentKey> m_removals;
    std::vector<std::pair<std::string, pool::HistoryPoint>> m_history; // by class, oldest first
};

} // namespace nuperako::classroom
