// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/classpool.h"
#include "pool/classrows.h"
#include "pool/classsession.h"
#include "pool/pooledhistory.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSqlQuery;

namespace nuperako::classroom {

class WalCheckpointer;

// The classes in an SQLite file: each class's code, its students' seats, the
// newest state of every experiment, the experiments taken out of the class and
// the history of the class's pooled tally. The classes' rows are written
// together by write(), in one transaction, synced to the disk (WAL,
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
    // A new class, written at once, with the hash of its teacher's key (empty: none).
    bool addClass(const std::string &code, std::int64_t createdMs, const std::string &keyHash = {});
    // A new class with a random code not used here before; nothing if it cannot be written.
    std::optional<std::string> makeClass(std::int64_t createdMs, const std::string &keyHash = {});
    // A new teacher's key for the class: the hash of the one before no longer opens it.
    bool setKeyHash(const std::string &code, const std::string &keyHash);
    // Everything kept of the class, into its pool.
    bool load(pool::ClassPool &pool);
    // The class's pooled tally as it grew.
    bool loadHistory(const std::string &code, pool::PooledHistory &history);
    // The class as a session, everything kept of it with its key's hash; none if there is no such class.
    std::optional<pool::ClassSession> loadSession(const std::string &code);

    // Writes the classes' rows in one transaction: all of them, or on failure none.
    bool write(const std::vector<const pool::ClassRows *> &classes);

private:
    bool exec(const QString &statement);
    // Columns added since a table was made, added to an older file's table.
    bool addMissingColumns(const QString &table, const std::vector<QString> &names, const QString &type);
    // The query, prepared, run with values bound in order; false (and the error kept) if it fails.
    bool run(QSqlQuery &query, const QVariantList &values);
    bool prepare(QSqlQuery &query, const QString &statement);
    bool prepareWrites();
    bool writeClass(const pool::ClassRows &rows);
    bool setError(const QString &what);

    QString m_connection;
    bool m_open = false;
    QString m_error;
    // The statements a write runs, prepared once: a school's server writes every class's rows
    // up to 50 times a second, and preparing them each time cost more than running them.
    struct Writes;
    std::unique_ptr<Writes> m_writes;
    std::unique_ptr<WalCheckpointer> m_checkpointer; // the log copied into the file, away from the writes
};

} // namespace nuperako::classroom
