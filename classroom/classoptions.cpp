// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classoptions.h"

#include "pool/classcode.h"

#include <charconv>

namespace nuperako::classroom {

namespace {

constexpr int kMaxPort = 65535;
constexpr int kMostConnections = 1'000'000;

int numberOf(std::string_view option, std::string_view text, int least, int most)
{
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc{} || end != text.data() + text.size() || n < least || n > most)
        throw UsageError(std::string(option) + " takes a number from " + std::to_string(least) + " to " +
                         std::to_string(most) + ", not \"" + std::string(text) + "\"");
    return n;
}

std::string classCodeOf(std::string_view text)
{
    if (!pool::isClassCode(text))
        throw UsageError("--export takes a class's code, such as ABC23, not \"" + std::string(text) + "\"");
    return std::string(text);
}

} // namespace

ClassOptions parseClassOptions(const std::vector<std::string_view> &args)
{
    ClassOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 >= args.size())
                throw UsageError(std::string(arg) + " needs a value");
            return args[++i];
        };
        if (arg == "--headless")
            options.headless = true;
        else if (arg == "--new-class")
            options.newClass = true;
        else if (arg == "--school")
            options.school = true;
        else if (arg == "--teacher-password-file")
            options.passwordFile = value();
        else if (arg == "--max-connections")
            options.maxConnections = numberOf(arg, value(), 1, kMostConnections);
        else if (arg == "--port")
            options.port = numberOf(arg, value(), 0, kMaxPort);
        else if (arg == "--bind")
            options.bind = value();
        else if (arg == "--data")
            options.dataDir = value();
        else if (arg == "--export")
            options.exportClass = classCodeOf(value());
        else if (arg == "--help" || arg == "-h")
            options.help = true;
        else
            throw UsageError("unknown argument \"" + std::string(arg) + "\" (see --help)");
    }
    if (options.school && options.newClass)
        throw UsageError("--school opens no class of its own: --new-class has nothing to open");
    if (options.school && !options.exportClass.empty())
        throw UsageError("--export writes a class and ends: it serves no school");
    return options;
}

std::string passwordOf(std::string_view fileText)
{
    const std::string_view line = fileText.substr(0, fileText.find_first_of("\r\n"));
    return std::string(line);
}

std::string classHelpText()
{
    return "使い方: nuperako-class [--headless] [--new-class] [--port N] [--bind ADDR] [--data DIR]\n"
           "       nuperako-class --school [--teacher-password-file FILE] [--port N] [--bind ADDR] [--data DIR]\n"
           "       nuperako-class --export CLASS [--data DIR] > FILE.csv\n"
           "クラスの実験を先生の機械に集めます。生徒はブラウザーで表示されたアドレスを開きます。\n"
           "前回のクラスを続けます。新しいクラスは --new-class で開きます。\n"
           "先生はどの端末からでも http://ADDRESS:PORT/teacher でクラスを開けます。\n"
           "\n"
           "Usage: nuperako-class [--headless] [--new-class] [--port N] [--bind ADDR] [--data DIR]\n"
           "       nuperako-class --school [--teacher-password-file FILE] [--port N] [--bind ADDR] [--data DIR]\n"
           "       nuperako-class --export CLASS [--data DIR] > FILE.csv\n"
           "Pools the class's experiments on the teacher's machine. The first line of the output is\n"
           "the students' address; they open it in a browser and their pages join the class. The\n"
           "second is the class's teacher's link, for a browser on any device.\n"
           "It goes on with the class it opened last, unless told to open a new one.\n"
           "Any teacher opens a class of their own at http://ADDRESS:PORT/teacher.\n"
           "\n"
           "  --headless   run the server without a window\n"
           "  --new-class  open a new class with a new code (the classes before stay kept)\n"
           "  --school     a school's server: no class of its own and no window; the first line\n"
           "               of the output is the teachers' address\n"
           "  --teacher-password-file FILE\n"
           "               teachers give the password in FILE's first line to open a class\n"
           "               (without it, anyone who reaches the server may open one)\n"
           "  --max-connections N\n"
           "               at most N connections at once (default: 4000, and fewer when the\n"
           "               limit of open files is lower)\n"
           "  --port N     listen on port N (default 8088; 0: any free port)\n"
           "  --bind ADDR  listen on this address only (default: every interface)\n"
           "  --data DIR   keep the classes in DIR/classes.sqlite\n"
           "               (default: $XDG_DATA_HOME/nuperako, that is ~/.local/share/nuperako)\n"
           "  --export CLASS  write the class's experiments as CSV to the standard output and end\n"
           "  --help       this text\n";
}

} // namespace nuperako::classroom
