// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/effectcueplayer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace nuperako {

EffectCuePlayer::EffectCuePlayer() = default;

EffectCuePlayer::~EffectCuePlayer() = default;

void EffectCuePlayer::open(const QString &path)
{
    // Without an output device there is nothing to play on.
    if (m_effect == nullptr && !QMediaDevices::defaultAudioOutput().isNull()) {
        // Loading is asynchronous: the caller goes on while the file is read.
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(path));
    }
}

void EffectCuePlayer::play()
{
    if (m_effect)
        m_effect->play();
}

void EffectCuePlayer::stop()
{
    if (m_effect)
        m_effect->stop();
}

void EffectCuePlayer::close()
{
    m_effect.reset();
}

} // namespace nuperako

extern "C" Q_DECL_EXPORT nuperako::CuePlayer *nuperako_create_cue_player()
{
    return new nuperako::EffectCuePlayer;
}
