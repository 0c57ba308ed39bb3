// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "soundcontrol.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace nuperako {

SoundControl::SoundControl(QObject *parent) : QObject(parent) {}

SoundControl::~SoundControl() = default;

QString SoundControl::dataFile(const QString &fileName)
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString &candidate :
         {program.filePath(fileName), program.filePath(QStringLiteral("../share/nuperako/") + fileName)}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isReadable())
            return info.canonicalFilePath();
    }
    return {};
}

void SoundControl::setCommand(const QString &command)
{
    if (command == QLatin1String("Stop")) {
        if (m_effect)
            m_effect->stop();
    } else if (command == QLatin1String("Close")) {
        delete m_effect;
        m_effect = nullptr;
        m_openFile.clear();
    } else if (command == QLatin1String("Open")) {
        m_openFile = dataFile(m_fileName);
        // Without an output device there is nothing to play on.
        if (!m_openFile.isEmpty() && m_effect == nullptr && !QMediaDevices::defaultAudioOutput().isNull()) {
            // Loading is asynchronous: the caller goes on while the file is read.
            m_effect = new QSoundEffect(this);
            m_effect->setSource(QUrl::fromLocalFile(m_openFile));
        }
    } else if (command == QLatin1String("Sound")) {
        if (m_effect)
            m_effect->play(); // plays as soon as loading has finished; a file that fails to load plays nothing
    }
}

} // namespace nuperako
