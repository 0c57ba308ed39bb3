// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <QString>

#include <string>

namespace nuperako::classroom {

// The addresses the server is opened at. HOST is the bound address, or, when
// bound to every interface, this machine's first address on a network that is
// up (the loopback address if it has none).
// The students': http://HOST:PORT/?class=CODE.
QString studentAddress(const QHostAddress &bound, quint16 port, const std::string &code);
// The teachers' own page, where classes are opened: http://HOST:PORT/teacher.
QString teachersAddress(const QHostAddress &bound, quint16 port);
// A class's teacher's link: http://HOST:PORT/teacher#class=CODE&key=KEY (the key only in the fragment,
// which a browser never sends).
QString teacherLink(const QHostAddress &bound, quint16 port, const std::string &code, const std::string &key);

} // namespace nuperako::classroom
