// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/cueplayer.h"

#include <memory>

class QSoundEffect;

namespace nuperako {

// The sound plugin's player: a QSoundEffect per open file.
class EffectCuePlayer final : public CuePlayer {
public:
    EffectCuePlayer();
    ~EffectCuePlayer() override;

    void open(const QString &path) override;
    void play() override;
    void stop() override;
    void close() override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace nuperako
