// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classoptions.h"

#include "pool/classcode.h"

#include <charconv>

namespace nuperako::classroom {

namespace {

constexpr int kMaxPort = 65535;

int portOf(std::string_view text)
{
    int port = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc{} || end != text.data() + text.size() || port < 0 || port > kMaxPort)
        throw UsageError("--port takes a number from 0 to 65535, not \"" + std::string(text) + "\"");
    return port;
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
        else if (arg == "--port")
            options.port = portOf(value());
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
    return options;
}

std::string classHelpText()
{
    return "使い方: nuperako-class [--headless] [--new-class] [--port N] [--bind ADDR] [--data DIR]\n"
           "       nuperako-class --export CLASS [--data DIR] > FILE.csv\n"
           "クラスの実験を先生の機械に集めます。生徒はブラウザーで表示されたアドレスを開きます。\n"
           "前回のクラスを続けます。新しいクラスは --new-class で開きます。\n"
           "\n"
           "Usage: nuperako-class [--headless] [--new-class] [--port N] [--bind ADDR] [--data DIR]\n"
           "       nuperako-class --export CLASS [--data DIR] > FILE.csv\n"
           "Pools the class's experiments on the teacher's machine. The first line of the output is\n"
           "the students' address; they open it in a browser and their pages join the class.\n"
           "It goes on with the class it opened last, unless told to open a new one.\n"
           "\n"
           "  --headless   run the server without a window\n"
           "  --new-class  open a new class with a new code (the classes before stay kept)\n"
           "  --port N     listen on port N (default 8088; 0: any free port)\n"
           "  --bind ADDR  listen on this address only (default: every interface)\n"
           "  --data DIR   keep the classes in DIR/classes.sqlite\n"
           "               (default: $XDG_DATA_HOME/nuperako, that is ~/.local/share/nuperako)\n"
           "  --export CLASS  write the class's experiments as CSV to the standard output and end\n"
           "  --help       this text\n";
}

} // namespace nuperako::classroom
