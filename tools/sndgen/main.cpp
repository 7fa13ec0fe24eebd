// sndgen: synthesises the game's original sounds into the installation folder.
//   sndgen [--expect N] OUTPUT_DIR [RELATIVE_PATH...]
// With paths given, only those sounds are made. --expect makes the run fail when the
// table holds a different number of sounds than the build expects.
// Every file is decoded again afterwards: a peak at or above -1 dBFS, or sound at the
// very start or end (a click), fails the run.
#include "ogg.h"
#include "sounds.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr float kQuality = 0.4f;
constexpr double kPeakLimitDbfs = -1.0;
constexpr double kEdgeLimit = 0.01;  // -40 dBFS in the first and last half millisecond

int usage() {
    std::cerr << "usage: sndgen [--expect N] OUTPUT_DIR [RELATIVE_PATH...]\n";
    return 2;
}

// Each file gets its own stream serial, fixed by its name.
std::uint32_t serial_for(const std::string& path) {
    std::uint32_t h = 2166136261u;
    for (const char c : path) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h & 0x7fffffffu;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path out_dir;
    std::vector<std::string> only;
    long expect = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--expect" && i + 1 < argc) {
            expect = std::strtol(argv[++i], nullptr, 10);
        } else if (arg.starts_with("--")) {
            return usage();
        } else if (out_dir.empty()) {
            out_dir = arg;
        } else {
            only.push_back(arg);
        }
    }
    if (out_dir.empty()) return usage();

    const auto table = sndgen::sounds();
    if (expect >= 0 && static_cast<long>(table.size()) != expect) {
        std::cerr << "sndgen: the build expects " << expect << " sounds but the table holds " << table.size()
                  << " (keep one {\"path\", ...} entry per line in sounds.cpp)\n";
        return 1;
    }

    bool ok = true;
    try {
        for (const sndgen::Entry& entry : table) {
            if (!only.empty() && std::find(only.begin(), only.end(), entry.path) == only.end()) continue;
            const std::filesystem::path file = out_dir / entry.path;
            std::filesystem::create_directories(file.parent_path());
            sndgen::write_ogg(file, entry.make(), kQuality, serial_for(entry.path));

            const sndgen::Decoded d = sndgen::read_back(file);
            const double peak_dbfs = sndgen::to_dbfs(d.peak);
            char line[160];
            std::snprintf(line, sizeof line, "sndgen: %s  %.0f ms  peak %.1f dBFS  start %.1f dBFS  end %.1f dBFS",
                          entry.path, d.seconds * 1000, peak_dbfs, sndgen::to_dbfs(d.start), sndgen::to_dbfs(d.end));
            std::cout << line << "\n";
            if (peak_dbfs >= kPeakLimitDbfs) {
                std::cerr << "sndgen: " << entry.path << " peaks at or above " << kPeakLimitDbfs << " dBFS\n";
                ok = false;
            }
            if (d.start > kEdgeLimit || d.end > kEdgeLimit) {
                std::cerr << "sndgen: " << entry.path << " does not start and end in silence\n";
                ok = false;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "sndgen: " << e.what() << "\n";
        return 1;
    }
    if (!ok) {
        // Leave no half-good files behind: the build must retry next time.
        for (const sndgen::Entry& entry : table) std::filesystem::remove(out_dir / entry.path);
        return 1;
    }
    return 0;
}
