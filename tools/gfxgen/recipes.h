// The pictures gfxgen draws: each recipe returns a finished canvas.
#pragma once

#include "canvas.h"
#include "paint.h"

#include <span>

namespace gfxgen {

// What every recipe may use besides the drawing kit.
struct Context {
    const Typeface& typeface;
};

using Recipe = Canvas (*)(const Context&);

struct Entry {
    const char* path;  // relative to the installation folder
    Recipe make;
};

// Every picture, in the order they are drawn.
std::span<const Entry> recipes();

// basic.cpp
Canvas white_picture(const Context&);
Canvas point_picture(const Context&);
Canvas rgb_black_corners(const Context&);

// cards.cpp
inline constexpr int kCardWidth = 96;
inline constexpr int kCardHeight = 140;
inline constexpr double kCardRadius = 8;

// One colour scheme of the shared card-back pattern.
struct BackColours {
    Rgb edge_top, edge_bottom;    // outer band
    Rgb field_top, field_bottom;  // patterned field
    Rgb cell;                     // alternate lattice cells
    Rgb medallion;                // centre oval
    Rgb sprig;                    // small leaves in the lattice
    Rune rune;
};

extern const BackColours kBackDuskForest;
extern const BackColours kBackEmberWine;
extern const BackColours kBackRiverBlue;
extern const BackColours kBackMossBark;
extern const BackColours kBackTwilight;
extern const BackColours kBackGold;

enum class Emblem { Crown, Tiara, Shield };

Canvas card_mask(const Context&);
Canvas card_back(const Context&, const BackColours& colours);
Canvas court_face(const Context&, const char* rank, Suit suit, Emblem emblem);
// Thirteen faces 2..10, J, Q, K, A in one row of card cells; magic ones in gold.
Canvas suit_strip(const Context&, Suit suit, bool magic);
Canvas sword_strip(const Context&);
Canvas hammer_card(const Context&);

// card_overlays.cpp
Canvas hover_glow(const Context&);
Canvas magic_outline(const Context&, int variant);
Canvas snow_cover(const Context&);
Canvas ice_strip(const Context&);
Canvas rocks_strip(const Context&);

// backgrounds.cpp
enum class Scene { Forest, Hills, River, Ruins };
Canvas table_background(const Context&, Scene scene);

// swords_tokens.cpp
// Resource tokens, drawn at scale 1 about their centre.
inline constexpr int kTokenSize = 44;

Canvas coin_gold(const Context&);
Canvas coin_silver(const Context&);
Canvas gem_ruby(const Context&);

// GUI theme and buttons
// gui_pictures.cpp: the nine pieces of the window frame and of the menu box, in the order
// the theme file names them; each is cut from one master panel.
enum class ThemeSlice { LeftUp, Up, RightUp, Right, RightDown, Down, LeftDown, Left, Centre };
Canvas theme_window_piece(const Context&, ThemeSlice slice);
Canvas theme_box_piece(const Context&, ThemeSlice slice);
// Menu bar: 0 left end, 1 the 1-pixel middle, 2 right end.
Canvas theme_bar_piece(const Context&, int part);
// A 200 x 52 caption button panel; off: the greyed one shown while inactive.
Canvas button_panel(const Context&, bool off);
Canvas button_round_ok(const Context&);
// Four 56 x 56 cells side by side: rest, then the arrow bobbing (animated buttons).
Canvas button_arrow_strip(const Context&);
// Two cells side by side: normal and lit (blend buttons).
Canvas button_blend_plus(const Context&);
// Four cells side by side: normal, over, pressed, inactive (frame-step buttons).
Canvas button_fstep(const Context&, bool cross);

// quest map runes
// runes.cpp: the rune of stage `index` (1..12) on the map, about 60 pixels across;
// dark: the faint grey-blue stone of a stage still ahead.
Canvas map_rune(const Context&, int index, bool dark);

}  // namespace gfxgen
