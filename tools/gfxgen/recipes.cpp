#include "recipes.h"

namespace gfxgen {

// cursors.cpp
Canvas cursor_arrow(const Context&);
Canvas cursor_hand(const Context&);

// icon.cpp
Canvas app_icon(const Context&);

namespace {

// tools/CMakeLists.txt reads the output list from this table: keep exactly one entry
// per line, starting with {"path", and spell every path out (no computed names).
constexpr Entry kRecipes[] = {
    {"gfx/white.png", white_picture},
    {"gfx/point.png", point_picture},
    {"gfx/cards/mask.png", card_mask},
    {"gfx/cards/revers-1.png", [](const Context& c) { return card_back(c, kBackDuskForest); }},
    {"gfx/cards/sample-face.png", [](const Context& c) { return court_face(c, "Q", Suit::Hearts, Emblem::Crown); }},
    {"gfx/test/rgb-black-corners.png", rgb_black_corners},
    {"gfx/kursor.png", cursor_arrow},
    {"gfx/kursor2.png", cursor_hand},
    {"gfx/icon.png", app_icon},
};

}  // namespace

std::span<const Entry> recipes() { return kRecipes; }

}  // namespace gfxgen
