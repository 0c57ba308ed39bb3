// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/serveraddress.h"

#include <QNetworkInterface>
#include <QUrl>

#include <algorithm>

namespace nuperako::classroom {

namespace {

QHostAddress machineAddress()
{
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = i.addressEntries();
        const auto v4 = std::ranges::find_if(
            entries, [](const QNetworkAddressEntry &e) { return e.ip().protocol() == QAbstractSocket::IPv4Protocol; });
        if (v4 != entries.end())
            return v4->ip();
    }
    return {QHostAddress::LocalHost};
}

// http://HOST:PORT and the path.
QUrl serverUrl(const QHostAddress &bound, quint16 port, const QString &path)
{
    const bool everywhere = bound == QHostAddress(QHostAddress::Any) || bound == QHostAddress(QHostAddress::AnyIPv4) ||
                            bound == QHostAddress(QHostAddress::AnyIPv6);
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(everywhere ? machineAddress().toString() : bound.toString());
    url.setPort(port);
    url.setPath(path);
    return url;
}

} // namespace

QString studentAddress(const QHostAddress &bound, quint16 port, const std::string &code)
{
    QUrl url = serverUrl(bound, port, QStringLiteral("/"));
    url.setQuery(QStringLiteral("class=") + QString::fromStdString(code));
    return url.toString();
}

QString teachersAddress(const QHostAddress &bound, quint16 port)
{
    return serverUrl(bound, port, QStringLiteral("/teacher")).toString();
}

QString teacherLink(const QHostAddress &bound, quint16 port, const std::string &code, const std::string &key)
{
    QUrl url = serverUrl(bound, port, QStringLiteral("/teacher"));
    url.setFragment(QStringLiteral("class=%1&key=%2").arg(QString::fromStdString(code), QString::fromStdString(key)));
    return url.toString();
}

} // namespace nuperako::classroom
