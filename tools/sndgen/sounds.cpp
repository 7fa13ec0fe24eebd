#include "sounds.h"

namespace sndgen {

namespace {

// tools/CMakeLists.txt reads the output list from this table: keep exactly one entry
// per line, starting with {"path", and spell every path out (no computed names).
constexpr Entry kSounds[] = {
    {"sfx/card.ogg", card_move},
    {"sfx/good.ogg", good_chime},
};

}  // namespace

std::span<const Entry> sounds() { return kSounds; }

}  // namespace sndgen
