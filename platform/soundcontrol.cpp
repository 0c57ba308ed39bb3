// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/soundcontrol.h"

#include "platform/cueplayer.h"
#include "platform/plugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace nuperako {

SoundControl::SoundControl(QObject *parent) : QObject(parent) {}

SoundControl::~SoundControl()
{
    if (m_loader)
        m_loader->wait();
}

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
    if (m_player)
        m_player->stop();
}

void SoundControl::close()
{
    if (m_player)
        m_player->close();
    m_openFile.clear();
}

void SoundControl::open()
{
    m_openFile = dataFile(m_fileName);
    if (m_openFile.isEmpty())
        return;
    if (m_player)
        m_player->open(m_openFile);
    else
        loadPlugin();
}

void SoundControl::sound()
{
    if (m_player)
        m_player->play();
}

// Loading Qt Multimedia and its libraries takes about 10 ms (8 of them in the
// dynamic linker): on a thread, so that the first cue's click is not kept waiting.
void SoundControl::loadPlugin()
{
    if (m_loader)
        return;
    m_loader =
        QThread::create([this] { m_createPlayer = pluginFunction<CreateCuePlayer>(kSoundPlugin, kCreateCuePlayer); });
    m_loader->setParent(this);
    connect(m_loader, &QThread::finished, this, &SoundControl::pluginLoaded);
    m_loader->start();
}

// The cue that is open by now plays: the one that started the loading, or a later one.
void SoundControl::pluginLoaded()
{
    if (m_createPlayer == nullptr)
        return;
    m_player.reset(m_createPlayer());
    if (!m_openFile.isEmpty()) {
        m_player->open(m_openFile);
        m_player->play();
    }
}

} // namespace nuperako
