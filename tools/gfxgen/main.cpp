// gfxgen: draws the game's original pictures into the installation folder.
//   gfxgen --font FILE.ttf [--expect N] OUTPUT_DIR [RELATIVE_PATH...]
// With paths given, only those pictures are drawn (handy while tuning one recipe).
// --expect makes the run fail when the table holds a different number of pictures
// than the build expects, so the build's output list cannot drift from the table.
#include "recipes.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: gfxgen --font FILE.ttf [--expect N] OUTPUT_DIR [RELATIVE_PATH...]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string font;
    std::filesystem::path out_dir;
    std::vector<std::string> only;
    long expect = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--font" && i + 1 < argc) {
            font = argv[++i];
        } else if (arg == "--expect" && i + 1 < argc) {
            expect = std::strtol(argv[++i], nullptr, 10);
        } else if (arg.starts_with("--")) {
            return usage();
        } else if (out_dir.empty()) {
            out_dir = arg;
        } else {
            only.push_back(arg);
        }
    }
    if (font.empty() || out_dir.empty()) return usage();

    const auto table = gfxgen::recipes();
    if (expect >= 0 && static_cast<long>(table.size()) != expect) {
        std::cerr << "gfxgen: the build expects " << expect << " pictures but the recipe table holds "
                  << table.size() << " (keep one {\"path\", ...} entry per line in recipes.cpp)\n";
        return 1;
    }

    try {
        const gfxgen::Typeface typeface(font);
        const gfxgen::Context context{typeface};
        int drawn = 0;
        for (const gfxgen::Entry& entry : table) {
            if (!only.empty() && std::find(only.begin(), only.end(), entry.path) == only.end()) continue;
            const std::filesystem::path file = out_dir / entry.path;
            std::filesystem::create_directories(file.parent_path());
            entry.make(context).save(file);
            ++drawn;
        }
        std::cout << "gfxgen: " << drawn << " pictures in " << out_dir.string() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "gfxgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
