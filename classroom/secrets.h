// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>

namespace nuperako::classroom {

// A new teacher's key: 128 bits from the system's random generator, as 22
// letters, digits, '-' and '_' (base64url), fit for a link's fragment.
std::string newTeacherKey();

// What is kept of a secret (a teacher's key, a password): its SHA-256, as bytes.
std::string hashOfSecret(const QString &secret);

} // namespace nuperako::classroom
