// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/secrets.h"

#include "pool/protocol.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>

namespace nuperako::classroom {

std::string newTeacherKey()
{
    std::array<quint32, protocol::kKeyBytes / sizeof(quint32)> bits{};
    QRandomGenerator::system()->fillRange(bits.data(), bits.size());
    const QByteArray bytes(reinterpret_cast<const char *>(bits.data()), static_cast<qsizetype>(protocol::kKeyBytes));
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals).toStdString();
}

std::string hashOfSecret(const QString &secret)
{
    return QCryptographicHash::hash(secret.toUtf8(), QCryptographicHash::Sha256).toStdString();
}

} // namespace nuperako::classroom
