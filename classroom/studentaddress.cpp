// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/studentaddress.h"

#include <QNetworkInterface>
#include <QUrl>

namespace nuperako::classroom {

namespace {

QHostAddress machineAddress()
{
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : i.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip();
        }
    }
    return QHostAddress(QHostAddress::LocalHost);
}

} // namespace

QString studentAddress(const QHostAddress &bound, quint16 port, const std::string &code)
{
    const bool everywhere = bound == QHostAddress(QHostAddress::Any) || bound == QHostAddress(QHostAddress::AnyIPv4) ||
                            bound == QHostAddress(QHostAddress::AnyIPv6);
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(everywhere ? machineAddress().toString() : bound.toString());
    url.setPort(port);
    url.setPath(QStringLiteral("/"));
    url.setQuery(QStringLiteral("class=") + QString::fromStdString(code));
    return url.toString();
}

} // namespace nuperako::classroom
