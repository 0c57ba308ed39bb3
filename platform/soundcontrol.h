// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QThread;

namespace nuperako {

class CuePlayer;
using CreateCuePlayer = CuePlayer *();

// Plays short wave files in the background, one cue at a time. A cue never
// fails or waits: with no audio device, no sound plugin, a missing file or one
// that is not a wave file, it simply plays nothing. The sound plugin, and with
// it Qt Multimedia, is loaded by the first cue that finds its file, on a thread
// of its own; that cue plays as soon as the plugin is in.
class SoundControl : public QObject {
    Q_OBJECT

public:
    explicit SoundControl(QObject *parent = nullptr);
    ~SoundControl() override;

    // Stops and closes whatever the last cue left open, then opens the file,
    // a bare name looked up in the program's data directory, and plays it.
    void play(const QString &fileName);

    // Where a bare name is looked for: next to the executable (the build tree),
    // then the installed data directory. Empty where it is in neither.
    [[nodiscard]] static QString dataFile(const QString &fileName);

    // The file the last cue opened, empty if it found none.
    [[nodiscard]] QString openFile() const { return m_openFile; }

private:
    void stop();
    void close();
    void open();
    void sound();
    void loadPlugin();
    void pluginLoaded();

    QString m_fileName;
    QString m_openFile;
    QThread *m_loader = nullptr;
    CreateCuePlayer *m_createPlayer = nullptr; // written by the loader, read once it has finished
    std::unique_ptr<CuePlayer> m_player;
};

} // namespace nuperako
