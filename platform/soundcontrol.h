// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

namespace nuperako {

// Plays short wave files in the background, driven like a media control by
// assigning a file name and the commands "Stop", "Close", "Open" and "Sound".
// No command ever fails or waits: with no audio device, a missing file or one
// that is not a wave file, it simply plays nothing.
class SoundControl : public QObject {
    Q_OBJECT

public:
    explicit SoundControl(QObject *parent = nullptr);
    ~SoundControl() override;

    // A bare name, looked up in the program's data directory.
    void setFileName(const QString &fileName) { m_fileName = fileName; }
    void setCommand(const QString &command);

    // Where a bare name is looked for: next to the executable (the build tree),
    // then the installed data directory. Empty where it is in neither.
    [[nodiscard]] static QString dataFile(const QString &fileName);

    [[nodiscard]] QString openFile() const { return m_openFile; }

private:
    QString m_fileName;
    QString m_openFile;
    QSoundEffect *m_effect = nullptr;
};

} // namespace nuperako
