// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace nuperako {

// Plays one wave file at a time on the default audio output. The sound
// plugin implements it, so that Qt Multimedia is loaded with the first cue
// rather than at start.
class CuePlayer {
public:
    CuePlayer() = default;
    virtual ~CuePlayer() = default;
    CuePlayer(const CuePlayer &) = delete;
    CuePlayer &operator=(const CuePlayer &) = delete;

    // Starts loading the file in the background; nothing without an output device.
    virtual void open(const QString &path) = 0;
    // Plays the open file once it has loaded; a file that fails to load plays nothing.
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
};

// The plugin's one export: a new player, owned by the caller.
inline constexpr char kSoundPlugin[] = "nuperako-sound";
inline constexpr char kCreateCuePlayer[] = "nuperako_create_cue_player";
using CreateCuePlayer = CuePlayer *(); // also declared where the player is only loaded

} // namespace nuperako
