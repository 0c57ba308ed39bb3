// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <QString>

#include <string>

namespace nuperako::classroom {

// The address students open: http://HOST:PORT/?class=CODE. HOST is the bound
// address, or, when bound to every interface, this machine's first address on
// a network that is up (the loopback address if it has none).
QString studentAddress(const QHostAddress &bound, quint16 port, const std::string &code);

} // namespace nuperako::classroom
