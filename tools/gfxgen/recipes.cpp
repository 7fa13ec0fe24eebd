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
    {"gfx/cards/revers-2.png", [](const Context& c) { return card_back(c, kBackEmberWine); }},
    {"gfx/cards/revers-3.png", [](const Context& c) { return card_back(c, kBackRiverBlue); }},
    {"gfx/cards/revers-4.png", [](const Context& c) { return card_back(c, kBackMossBark); }},
    {"gfx/cards/revers-5.png", [](const Context& c) { return card_back(c, kBackTwilight); }},
    {"gfx/cards/revers-gold-1.png", [](const Context& c) { return card_back(c, kBackGold); }},
    {"gfx/cards/hearts.png", [](const Context& c) { return suit_strip(c, Suit::Hearts, false); }},
    {"gfx/cards/diamonds.png", [](const Context& c) { return suit_strip(c, Suit::Diamonds, false); }},
    {"gfx/cards/clubs.png", [](const Context& c) { return suit_strip(c, Suit::Clubs, false); }},
    {"gfx/cards/spades.png", [](const Context& c) { return suit_strip(c, Suit::Spades, false); }},
    {"gfx/cards/magic-hearts.png", [](const Context& c) { return suit_strip(c, Suit::Hearts, true); }},
    {"gfx/cards/magic-diamonds.png", [](const Context& c) { return suit_strip(c, Suit::Diamonds, true); }},
    {"gfx/cards/magic-clubs.png", [](const Context& c) { return suit_strip(c, Suit::Clubs, true); }},
    {"gfx/cards/magic-spades.png", [](const Context& c) { return suit_strip(c, Suit::Spades, true); }},
    {"gfx/cards/swords.png", sword_strip},
    {"gfx/cards/hammer.png", hammer_card},
    {"gfx/cards/over.png", hover_glow},
    {"gfx/cards/magic-outline-1.png", [](const Context& c) { return magic_outline(c, 1); }},
    {"gfx/cards/magic-outline-2.png", [](const Context& c) { return magic_outline(c, 2); }},
    {"gfx/cards/snow.png", snow_cover},
    {"gfx/cards/ice.png", ice_strip},
    {"gfx/cards/card-rocks.png", rocks_strip},
    {"gfx/cards/coin-1.png", coin_gold},
    {"gfx/cards/coin-2.png", coin_silver},
    {"gfx/cards/coin-3.png", gem_ruby},
    {"gfx/backgrounds/background-1.jpg", [](const Context& c) { return table_background(c, Scene::Forest); }},
    {"gfx/backgrounds/background-2.jpg", [](const Context& c) { return table_background(c, Scene::Hills); }},
    {"gfx/backgrounds/background-3.jpg", [](const Context& c) { return table_background(c, Scene::River); }},
    {"gfx/backgrounds/background-4.jpg", [](const Context& c) { return table_background(c, Scene::Ruins); }},
    {"gfx/test/rgb-black-corners.png", rgb_black_corners},
    {"gfx/kursor.png", cursor_arrow},
    {"gfx/kursor2.png", cursor_hand},
    {"gfx/icon.png", app_icon},
    // GUI theme and buttons
    // quest map runes
};

}  // namespace

std::span<const Entry> recipes() { return kRecipes; }

}  // namespace gfxgen
