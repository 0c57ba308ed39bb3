// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The path of a request for one of the page's files, whatever bytes it holds.
// A page's folder with a file, a subfolder, and a link to a secret beside the
// folder: whatever the path, the file served lies inside the folder.
#include "pool/staticpath.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

using namespace nuperako::pool;
namespace fs = std::filesystem;

namespace {

// The page's folder, made once for the whole run.
const fs::path &pageFolder()
{
    static const fs::path folder = [] {
        const fs::path top = fs::temp_directory_path() / "nuperako-fuzz-staticpath";
        fs::create_directories(top / "www" / "js");
        std::ofstream(top / "www" / "index.html") << "page";
        std::ofstream(top / "www" / "js" / "main.js") << "script";
        std::ofstream(top / "secret") << "secret";
        std::error_code ignored;
        fs::create_symlink(top / "secret", top / "www" / "out", ignored);
        return fs::canonical(top / "www");
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fs::path &root = pageFolder();
    const auto file = staticFile(root, std::string_view(reinterpret_cast<const char *>(data), size));
    if (file && (file->native().rfind(root.native() + "/", 0) != 0 || file->filename() == "secret"))
        std::abort();
    return 0;
}
