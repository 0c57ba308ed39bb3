// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/soundcontrol.h"

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

void SoundControl::play(const QString &fileName)
{
    stop();
    close();
    m_fileName = fileName;
    open();
    sound();
}

void SoundControl::stop()
{
    if (m_effect)
        m_effect->stop();
}

void SoundControl::close()
{
    delete m_effect;
    m_effect = nullptr;
    m_openFile.clear();
}

void SoundControl::open()
{
    m_openFile = dataFile(m_fileName);
    // Without an output device there is nothing to play on.
    if (!m_openFile.isEmpty() && m_effect == nullptr && !QMediaDevices::defaultAudioOutput().isNull()) {
        // Loading is asynchronous: the caller goes on while the file is read.
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl::fromLocalFile(m_openFile));
    }
}

void SoundControl::sound()
{
    if (m_effect)
        m_effect->play(); // plays as soon as loading has finished; a file that fails to load plays nothing
}

} // namespace nuperako
