// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classprogram.h"

#include "classroom/classoptions.h"
#include "classroom/classserver.h"
#include "classroom/classstore.h"
#include "classroom/classwindow.h"
#include "classroom/openfiles.h"
#include "classroom/secrets.h"
#include "platform/questionbox.h"
#include "pool/csvexport.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <optional>

namespace nuperako::classroom {

namespace {

constexpr int kUsageExit = 2;
constexpr std::size_t kDefaultConnections = pool::ConnectionGate::kDefaultConnections;

// The page's folder: beside the programs in the build tree, in share/ when installed.
// None, said on the standard error, when neither has it (a build without the browser edition).
std::optional<std::filesystem::path> pageFolder()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const std::array candidates{QStringLiteral("../www"), QStringLiteral("../share/nuperako/web")};
    const auto *const found = std::ranges::find_if(
        candidates, [&](const QString &c) { return program.exists(c + QStringLiteral("/index.html")); });
    if (found != candidates.end())
        return QDir::cleanPath(program.filePath(*found)).toStdString();
    std::cerr << "nuperako-class: the students' page is not here (looked for "
              << QDir::cleanPath(program.filePath(candidates[0])).toStdString() << " and "
              << QDir::cleanPath(program.filePath(candidates[1])).toStdString()
              << "); students cannot join. Build with the browser edition to serve it; "
                 "/pool.json is served all the same.\n";
    return std::nullopt;
}

// What the environment asks the time limits to be multiplied by (NUPERAKO_CLASS_TIME_SCALE, for tests).
double timeScale()
{
    bool valid = false;
    const double scale = qEnvironmentVariable("NUPERAKO_CLASS_TIME_SCALE").toDouble(&valid);
    return valid && scale > 0 ? scale : 1;
}

// The class to serve: the newest of the store, or a new one with a code not used before.
std::optional<std::string> openClass(ClassStore &store, bool fresh)
{
    if (!fresh) {
        if (std::optional<std::string> code = store.newestClass())
            return code;
        if (!store.error().isEmpty())
            return std::nullopt;
    }
    return store.makeClass(QDateTime::currentMSecsSinceEpoch());
}

// Says why the program cannot go on; its exit status.
int reportError(const QString &what)
{
    std::cerr << "nuperako-class: " << what.toStdString() << '\n';
    return 1;
}

// The class's experiments as CSV on the standard output.
int exportClass(ClassStore &store, const std::string &code)
{
    pool::ClassPool pool(code);
    if (!store.hasClass(code) || !store.load(pool)) {
        return reportError(store.error().isEmpty()
                               ? QStringLiteral("no class %1 here").arg(QString::fromStdString(code))
                               : store.error());
    }
    std::cout << pool::experimentsCsv(pool.summary()) << std::flush;
    return std::cout ? 0 : 1;
}

// The file of the teachers' password: the option's, or else, under systemd, the service's
// credential teacher-password (LoadCredential=: readable by the service's own user alone);
// empty for none.
QString teacherPasswordFile(const ClassOptions &options)
{
    if (!options.passwordFile.empty())
        return QString::fromStdString(options.passwordFile);
    const QString credentials = qEnvironmentVariable("CREDENTIALS_DIRECTORY");
    const QString credential = credentials + QStringLiteral("/teacher-password");
    return !credentials.isEmpty() && QFile::exists(credential) ? credential : QString();
}

// The window shows the server's class, and asks it for what the teacher wants.
void showTheClass(ClassWindow &window, ClassServer &server)
{
    const auto showClass = [&] { window.showClass(server.session(), server.studentAddress()); };
    showClass();
    QObject::connect(&server, &ClassServer::classChanged, &window, showClass);
    QObject::connect(&server, &ClassServer::poolChanged, &window, &ClassWindow::sessionChanged);
    QObject::connect(&window, &ClassWindow::removeAsked, &server, &ClassServer::removeExperiment);
    QObject::connect(&window, &ClassWindow::revealAsked, &server, &ClassServer::reveal);
    QObject::connect(&window, &ClassWindow::newClassAsked, &server, [&] {
        if (!server.startNewClass())
            window.newClassFailed();
    });
}

} // namespace

int runClassProgram(int argc, char *argv[])
{
    ClassOptions options;
    try {
        options = parseClassOptions({argv + 1, argv + argc});
    } catch (const UsageError &e) {
        std::cerr << "nuperako-class: " << e.what() << '\n';
        return kUsageExit;
    }
    if (options.help) {
        std::cout << classHelpText();
        return 0;
    }
    // Without a window, no display is needed.
    const bool windowless = options.headless || options.school || !options.exportClass.empty();
    const std::unique_ptr<QCoreApplication> app =
        windowless ? std::make_unique<QCoreApplication>(argc, argv) : std::make_unique<QApplication>(argc, argv);
    QHostAddress bind(QHostAddress::Any);
    if (!options.bind.empty() && !bind.setAddress(QString::fromStdString(options.bind)))
        return reportError(
            QStringLiteral("--bind takes an IP address, not \"%1\"").arg(QString::fromStdString(options.bind)));

    const QString data =
        options.dataDir.empty()
            ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/nuperako")
            : QString::fromStdString(options.dataDir);
    if (!QDir().mkpath(data))
        return reportError(QStringLiteral("cannot make the folder %1").arg(data));
    ClassStore store(data + QStringLiteral("/classes.sqlite"));
    if (!store.isOpen())
        return reportError(QStringLiteral("cannot open %1/classes.sqlite: %2").arg(data, store.error()));
    if (!options.exportClass.empty())
        return exportClass(store, options.exportClass);
    std::string passwordHash;
    if (const QString passwordFile = teacherPasswordFile(options); !passwordFile.isEmpty()) {
        QFile file(passwordFile);
        if (!file.open(QIODevice::ReadOnly))
            return reportError(QStringLiteral("cannot read the teachers' password: %1").arg(file.errorString()));
        const std::string password = passwordOf(file.readAll().toStdString());
        if (!password.empty())
            passwordHash = hashOfSecret(QString::fromStdString(password));
    }

    // The desktop's own class, with a new teacher's key: the link printed before no longer opens it.
    std::optional<pool::ClassSession> own;
    const std::string key = newTeacherKey();
    if (!options.school) {
        const std::optional<std::string> code = openClass(store, options.newClass);
        if (!code || !store.setKeyHash(*code, hashOfSecret(QString::fromStdString(key))))
            return reportError(QStringLiteral("cannot open a class: %1").arg(store.error()));
        own = store.loadSession(*code);
        if (!own)
            return reportError(QStringLiteral("cannot read the class: %1").arg(store.error()));
    }

    const double scale = timeScale();
    const std::size_t wanted =
        options.maxConnections > 0 ? static_cast<std::size_t>(options.maxConnections) : kDefaultConnections;
    const pool::ConnectionGate::Limits connections =
        pool::ConnectionGate::Limits::forOpenFiles(raiseOpenFilesLimit(), wanted).scaled(scale);
    if (connections.connections < wanted && options.maxConnections > 0) {
        std::cerr << "nuperako-class: the limit of open files allows " << connections.connections
                  << " connections, not " << wanted << '\n';
    }
    ClassServer server(store, std::move(own),
                       {pageFolder(), connections, pool::ClassHub::Limits{}.scaled(scale), passwordHash});
    if (!server.listen(bind, static_cast<quint16>(options.port)))
        return reportError(QStringLiteral("cannot listen on port %1").arg(options.port));
    if (options.school) {
        std::cout << server.teachersAddress().toStdString() << std::endl;
    } else {
        std::cout << server.studentAddress().toStdString() << '\n'
                  << server.teacherLink(key).toStdString() << std::endl;
    }

    QuestionBox questions;
    std::unique_ptr<ClassWindow> window;
    if (!windowless) {
        window = std::make_unique<ClassWindow>(questions, server.servesPage());
        showTheClass(*window, server);
        window->showMaximized(); // the whole of the screen it opens on: a projector's, often
    }
    return QCoreApplication::exec();
}

} // namespace nuperako::classroom
