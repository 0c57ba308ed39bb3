// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/messages.h"

#include <QByteArray>

namespace nuperako::classroom {

// A page's text frame (UTF-8 JSON) taken apart into its message.
pool::PageMessage readPageMessage(const QByteArray &text);

// The server's answer as the text frame a page reads.
QByteArray serverMessageJson(const pool::ServerMessage &message);

} // namespace nuperako::classroom
