// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/walcheckpointer.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

#include <atomic>

namespace nuperako::classroom {

namespace {

constexpr int kEveryMs = 1000;

QString connectionName()
{
    static std::atomic<int> opened{0};
    return QStringLiteral("checkpoint-%1").arg(opened++);
}

} // namespace

WalCheckpointer::WalCheckpointer(const QString &file)
{
    // Made, used and removed in the thread: Qt's database connections belong to one thread.
    auto *worker = new QObject;
    worker->moveToThread(&m_thread);
    const QString name = connectionName();
    QObject::connect(&m_thread, &QThread::started, worker, [worker, file, name] {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open())
            return; // the writes' connection still checkpoints when it closes
        auto *timer = new QTimer(worker);
        QObject::connect(timer, &QTimer::timeout, worker, [name] {
            QSqlQuery(QSqlDatabase::database(name)).exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
        });
        timer->start(kEveryMs);
    });
    QObject::connect(&m_thread, &QThread::finished, worker, [worker, name] {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
        delete worker;
    });
    m_thread.start();
}

WalCheckpointer::~WalCheckpointer()
{
    m_thread.quit();
    m_thread.wait();
}

} // namespace nuperako::classroom
