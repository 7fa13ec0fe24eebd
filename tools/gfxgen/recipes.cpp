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
    {"gfx/gui/window/window-leftUp.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::LeftUp); }},
    {"gfx/gui/window/window-up.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::Up); }},
    {"gfx/gui/window/window-rightUp.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::RightUp); }},
    {"gfx/gui/window/window-right.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::Right); }},
    {"gfx/gui/window/window-rightDown.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::RightDown); }},
    {"gfx/gui/window/window-down.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::Down); }},
    {"gfx/gui/window/window-leftDown.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::LeftDown); }},
    {"gfx/gui/window/window-left.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::Left); }},
    {"gfx/gui/window/window-centre.png", [](const Context& c) { return theme_window_piece(c, ThemeSlice::Centre); }},
    {"gfx/gui/window/box-leftUp.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::LeftUp); }},
    {"gfx/gui/window/box-up.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::Up); }},
    {"gfx/gui/window/box-rightUp.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::RightUp); }},
    {"gfx/gui/window/box-right.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::Right); }},
    {"gfx/gui/window/box-rightDown.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::RightDown); }},
    {"gfx/gui/window/box-down.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::Down); }},
    {"gfx/gui/window/box-leftDown.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::LeftDown); }},
    {"gfx/gui/window/box-left.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::Left); }},
    {"gfx/gui/window/box-centre.png", [](const Context& c) { return theme_box_piece(c, ThemeSlice::Centre); }},
    {"gfx/gui/window/bar-left.png", [](const Context& c) { return theme_bar_piece(c, 0); }},
    {"gfx/gui/window/bar-middle.png", [](const Context& c) { return theme_bar_piece(c, 1); }},
    {"gfx/gui/window/bar-right.png", [](const Context& c) { return theme_bar_piece(c, 2); }},
    {"gfx/gui/buttons/panel.png", [](const Context& c) { return button_panel(c, false); }},
    {"gfx/gui/buttons/panel-off.png", [](const Context& c) { return button_panel(c, true); }},
    {"gfx/gui/buttons/round-ok.png", button_round_ok},
    {"gfx/gui/buttons/arrow-strip.png", button_arrow_strip},
    {"gfx/gui/buttons/blend-plus.png", button_blend_plus},
    {"gfx/gui/buttons/fstep-next.png", [](const Context& c) { return button_fstep(c, false); }},
    {"gfx/gui/buttons/fstep-close.png", [](const Context& c) { return button_fstep(c, true); }},
    // quest map runes
    {"gfx/gui/screen-map/runes/run-1.png", [](const Context& c) { return map_rune(c, 1, false); }},
    {"gfx/gui/screen-map/runes/run-1-dark.png", [](const Context& c) { return map_rune(c, 1, true); }},
    {"gfx/gui/screen-map/runes/run-2.png", [](const Context& c) { return map_rune(c, 2, false); }},
    {"gfx/gui/screen-map/runes/run-2-dark.png", [](const Context& c) { return map_rune(c, 2, true); }},
    {"gfx/gui/screen-map/runes/run-3.png", [](const Context& c) { return map_rune(c, 3, false); }},
    {"gfx/gui/screen-map/runes/run-3-dark.png", [](const Context& c) { return map_rune(c, 3, true); }},
    {"gfx/gui/screen-map/runes/run-4.png", [](const Context& c) { return map_rune(c, 4, false); }},
    {"gfx/gui/screen-map/runes/run-4-dark.png", [](const Context& c) { return map_rune(c, 4, true); }},
    {"gfx/gui/screen-map/runes/run-5.png", [](const Context& c) { return map_rune(c, 5, false); }},
    {"gfx/gui/screen-map/runes/run-5-dark.png", [](const Context& c) { return map_rune(c, 5, true); }},
    {"gfx/gui/screen-map/runes/run-6.png", [](const Context& c) { return map_rune(c, 6, false); }},
    {"gfx/gui/screen-map/runes/run-6-dark.png", [](const Context& c) { return map_rune(c, 6, true); }},
    {"gfx/gui/screen-map/runes/run-7.png", [](const Context& c) { return map_rune(c, 7, false); }},
    {"gfx/gui/screen-map/runes/run-7-dark.png", [](const Context& c) { return map_rune(c, 7, true); }},
    {"gfx/gui/screen-map/runes/run-8.png", [](const Context& c) { return map_rune(c, 8, false); }},
    {"gfx/gui/screen-map/runes/run-8-dark.png", [](const Context& c) { return map_rune(c, 8, true); }},
    {"gfx/gui/screen-map/runes/run-9.png", [](const Context& c) { return map_rune(c, 9, false); }},
    {"gfx/gui/screen-map/runes/run-9-dark.png", [](const Context& c) { return map_rune(c, 9, true); }},
    {"gfx/gui/screen-map/runes/run-10.png", [](const Context& c) { return map_rune(c, 10, false); }},
    {"gfx/gui/screen-map/runes/run-10-dark.png", [](const Context& c) { return map_rune(c, 10, true); }},
    {"gfx/gui/screen-map/runes/run-11.png", [](const Context& c) { return map_rune(c, 11, false); }},
    {"gfx/gui/screen-map/runes/run-11-dark.png", [](const Context& c) { return map_rune(c, 11, true); }},
    {"gfx/gui/screen-map/runes/run-12.png", [](const Context& c) { return map_rune(c, 12, false); }},
    {"gfx/gui/screen-map/runes/run-12-dark.png", [](const Context& c) { return map_rune(c, 12, true); }},
};

}  // namespace

std::span<const Entry> recipes() { return kRecipes; }

}  // namespace gfxgen
