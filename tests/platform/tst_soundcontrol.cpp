// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/soundcontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace nuperako;

namespace {

// A file next to the test program, removed again when this goes.
class FileBesideProgram {
public:
    FileBesideProgram(const QString &name, const QByteArray &content)
        : m_path(QDir(QCoreApplication::applicationDirPath()).filePath(name))
    {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    ~FileBesideProgram() { QFile::remove(m_path); }

private:
    QString m_path;
};

bool multimediaLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
}

} // namespace

class TestSoundControl : public QObject {
    Q_OBJECT

private slots:
    void multimediaLoadsWithTheFirstCue(); // first: nothing may have played before
    void findsFilesBesideTheProgram();
    void neverLooksInTheWorkingDirectory();
    void badCuesReturnAndPlayNothing_data();
    void badCuesReturnAndPlayNothing();
};

void TestSoundControl::multimediaLoadsWithTheFirstCue()
{
    SoundControl control;
    QVERIFY(!multimediaLoaded());
    control.play(QStringLiteral("nosuchcue.wav")); // nothing to play, nothing to load
    QVERIFY(!multimediaLoaded());
    control.play(QStringLiteral("mypinpon.wav"));
    QTRY_VERIFY(multimediaLoaded()); // loaded on a thread
}

void TestSoundControl::findsFilesBesideTheProgram()
{
    QVERIFY(!SoundControl::dataFile(QStringLiteral("mypinpon.wav")).isEmpty());
    QVERIFY(!SoundControl::dataFile(QStringLiteral("endpinpon.wav")).isEmpty());
    SoundControl control;
    control.play(QStringLiteral("mypinpon.wav"));
    QVERIFY(control.openFile().endsWith(QLatin1String("/mypinpon.wav")));
}

void TestSoundControl::neverLooksInTheWorkingDirectory()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("onlyhere.wav")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString found = SoundControl::dataFile(QStringLiteral("onlyhere.wav"));
    QDir::setCurrent(previous);
    QVERIFY(found.isEmpty());
}

void TestSoundControl::badCuesReturnAndPlayNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // written beside the program when not empty
    QTest::addColumn<bool>("opens");
    QTest::newRow("missing file") << "nosuchcue.wav" << QByteArray() << false;
    QTest::newRow("not a wave file") << "garbagecue.wav" << QByteArray(4096, '\x5a') << true;
    QTest::newRow("truncated wave header") << "shortcue.wav" << QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16) << true;
    QTest::newRow("a folder path") << "../" << QByteArray() << false;
}

void TestSoundControl::badCuesReturnAndPlayNothing()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, opens);
    std::optional<FileBesideProgram> file;
    if (!content.isEmpty())
        file.emplace(fileName, content);

    SoundControl control;
    control.play(fileName);
    QCOMPARE(!control.openFile().isEmpty(), opens);
    QTest::qWait(50);                             // let a background load fail
    control.play(QStringLiteral("mypinpon.wav")); // the next cue is unaffected
    QVERIFY(control.openFile().endsWith(QLatin1String("/mypinpon.wav")));
}

QTEST_MAIN(TestSoundControl)
#include "tst_soundcontrol.moc"
