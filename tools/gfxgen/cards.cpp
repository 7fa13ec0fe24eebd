// Card pictures: the silhouette, the backs and the faces. Every card shares one outline
// (kCardWidth x kCardHeight, corner radius kCardRadius) so masks, faces and backs line up.
#include "recipes.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>
#include <vector>

namespace gfxgen {

using namespace palette;

const BackColours kBackDuskForest{
    .edge_top = dusk,
    .edge_bottom = dusk_deep,
    .field_top = forest,
    .field_bottom = forest_deep,
    .cell = dusk,
    .medallion = dusk_deep,
    .sprig = forest_light,
    .rune = Rune::Algiz,
};

// The other four colourways of the same back, and the gold back of the magic cards.
const BackColours kBackEmberWine{
    .edge_top = hex(0x6e1f22),
    .edge_bottom = hex(0x3f1013),
    .field_top = hex(0x8a2a27),
    .field_bottom = hex(0x511617),
    .cell = hex(0x5e1a1c),
    .medallion = hex(0x3f1013),
    .sprig = hex(0xc0613f),
    .rune = Rune::Ingwaz,
};

const BackColours kBackRiverBlue{
    .edge_top = dusk_deep,
    .edge_bottom = hex(0x0e1726),
    .field_top = dusk_light,
    .field_bottom = dusk,
    .cell = hex(0x1f3957),
    .medallion = hex(0x14243a),
    .sprig = hex(0x6f9fc0),
    .rune = Rune::Othala,
};

const BackColours kBackMossBark{
    .edge_top = hex(0x4a3a22),
    .edge_bottom = hex(0x2c2214),
    .field_top = hex(0x6b6a32),
    .field_bottom = hex(0x3f4020),
    .cell = hex(0x4b4424),
    .medallion = hex(0x2c2214),
    .sprig = hex(0x9aa04c),
    .rune = Rune::Dagaz,
};

const BackColours kBackTwilight{
    .edge_top = hex(0x3a2750),
    .edge_bottom = hex(0x1f1530),
    .field_top = hex(0x57407a),
    .field_bottom = hex(0x32244a),
    .cell = hex(0x3f2c5c),
    .medallion = hex(0x241838),
    .sprig = hex(0x9a86c4),
    .rune = Rune::Sowilo,
};

const BackColours kBackGold{
    .edge_top = hex(0xb8862c),
    .edge_bottom = hex(0x7a5414),
    .field_top = hex(0xe2b954),
    .field_bottom = hex(0xa77a26),
    .cell = hex(0xc4952f),
    .medallion = hex(0x6e4a12),
    .sprig = hex(0xfbe7a4),
    .rune = Rune::Sowilo,
};

namespace {

constexpr double kW = kCardWidth;
constexpr double kH = kCardHeight;
constexpr double kPi = std::numbers::pi;

void card_outline(cairo_t* cr) { rounded_rect(cr, 0, 0, kW, kH, kCardRadius); }

// A fine dark line just inside the outline so stacked cards separate.
void card_edge_line(cairo_t* cr, Rgb colour, double alpha) {
    rounded_rect(cr, 0.5, 0.5, kW - 1, kH - 1, kCardRadius - 0.5);
    set_colour(cr, colour, alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void ellipse_path(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// Diamond lattice over the field: alternate cells tinted, tiny sprigs in the others,
// faint gold lines and dots where the lines cross.
void back_lattice(cairo_t* cr, const BackColours& colours, double x, double y, double w, double h) {
    constexpr double step_x = 12;
    constexpr double step_y = 14;
    const double cx = x + w / 2;
    const double cy = y + h / 2;
    const int nx = static_cast<int>(w / step_x / 2) + 2;
    const int ny = static_cast<int>(h / step_y / 2) + 2;

    auto diamond = [&](double px, double py) {
        cairo_move_to(cr, px, py - step_y / 2);
        cairo_line_to(cr, px + step_x / 2, py);
        cairo_line_to(cr, px, py + step_y / 2);
        cairo_line_to(cr, px - step_x / 2, py);
        cairo_close_path(cr);
    };
    for (int j = -ny; j <= ny; ++j) {
        for (int i = -nx; i <= nx; ++i) {
            const double px = cx + i * step_x;
            const double py = cy + j * step_y;
            if ((i + j) % 2 == 0) {
                diamond(px, py);
                set_colour(cr, colours.cell, 0.55);
                cairo_fill(cr);
            } else {
                leaf(cr, px, py + 3, 6, 3.2, -kPi / 2, colours.sprig, colours.field_bottom, 0.8);
            }
            // Cells of the offset grid fill the gaps between these.
            diamond(px + step_x / 2, py + step_y / 2);
            set_colour(cr, colours.cell, 0.22);
            cairo_fill(cr);
        }
    }
    // Lattice lines: two families of diagonals through the diamond corners.
    cairo_set_line_width(cr, 0.7);
    set_colour(cr, gold, 0.32);
    const double slope = step_y / step_x;
    for (int k = -nx * 4; k <= nx * 4; ++k) {
        const double x0 = cx + (k + 0.5) * step_x;
        cairo_move_to(cr, x0 - h, cy - h * slope);
        cairo_line_to(cr, x0 + h, cy + h * slope);
        cairo_move_to(cr, x0 + h, cy - h * slope);
        cairo_line_to(cr, x0 - h, cy + h * slope);
    }
    cairo_stroke(cr);
    set_colour(cr, gold_light, 0.5);
    for (int j = -ny; j <= ny; ++j) {
        for (int i = -nx; i <= nx; ++i) {
            const double px = cx + i * step_x + step_x / 2;
            const double py = cy + j * step_y;
            cairo_new_sub_path(cr);
            cairo_arc(cr, px, py, 0.8, 0, 2 * kPi);
        }
    }
    cairo_fill(cr);
}

// Centre oval with a gold ring, a rune and leaf sprigs above and below.
void back_medallion(cairo_t* cr, const BackColours& colours) {
    const double cx = kW / 2;
    const double cy = kH / 2;
    constexpr double rx = 21;
    constexpr double ry = 29;

    soft_shadow(cr, [&](cairo_t* c) { ellipse_path(c, cx, cy, rx + 1, ry + 1); }, 0, 1.5, 3, black, 0.55);
    ellipse_path(cr, cx, cy, rx, ry);
    const Pattern fill = radial(cx, cy - 6, 2, ry + 4,
                                {{0.0, mix(colours.medallion, colours.edge_top, 0.8)}, {1.0, colours.medallion}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);

    ellipse_path(cr, cx, cy, rx - 0.7, ry - 0.7);
    gold_stroke(cr, cx - rx, cy - ry, 2 * rx, 2 * ry, 1.4);
    ellipse_path(cr, cx, cy, rx - 3.5, ry - 3.5);
    set_colour(cr, gold, 0.45);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);

    // Sprigs that cross the ring top and bottom, gold on the dusk band.
    for (const double side : {-1.0, 1.0}) {
        const double y = cy + side * (ry + 3);
        leaf(cr, cx, y, 9, 4.5, side * kPi / 2, gold, gold_dark);
        leaf(cr, cx, y, 7, 3.5, side * kPi / 2 - 0.9, gold, gold_dark, 0.9);
        leaf(cr, cx, y, 7, 3.5, side * kPi / 2 + 0.9, gold, gold_dark, 0.9);
    }

    // The rune: a soft glow under a crisp gold stroke.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    rune_path(cr, colours.rune, cx, cy, 30);
    set_colour(cr, gold_light, 0.18);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    rune_path(cr, colours.rune, cx, cy, 30);
    gold_stroke(cr, cx - 10, cy - 15, 20, 30, 2.2);
}

// A five-pointed gold crown, `width` wide, centred on (cx, cy), with a suit gem on the band.
void crown(cairo_t* cr, double cx, double cy, double width, Suit suit) {
    struct Point {
        double x, y;
    };
    // Unit crown, 1 wide; tips alternate high and low.
    constexpr Point tips[] = {{-0.5, -0.3}, {-0.25, -0.16}, {0, -0.42}, {0.25, -0.16}, {0.5, -0.3}};
    constexpr Point valleys[] = {{-0.37, 0.0}, {-0.13, -0.02}, {0.13, -0.02}, {0.37, 0.0}};
    constexpr double band_top = 0.1;
    constexpr double band_bottom = 0.32;

    auto body = [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, cx, cy);
        cairo_scale(c, width, width);
        cairo_move_to(c, -0.44, band_top + 0.02);
        cairo_line_to(c, tips[0].x, tips[0].y);
        for (int i = 0; i < 4; ++i) {
            cairo_line_to(c, valleys[i].x, valleys[i].y);
            cairo_line_to(c, tips[i + 1].x, tips[i + 1].y);
        }
        cairo_line_to(c, 0.44, band_top + 0.02);
        cairo_close_path(c);
        rounded_rect(c, -0.47, band_top, 0.94, band_bottom - band_top, 0.04);
        for (const Point& t : tips) {
            cairo_new_sub_path(c);
            cairo_arc(c, t.x, t.y - 0.03, t.y < -0.2 ? 0.055 : 0.045, 0, 2 * kPi);
        }
        cairo_restore(c);
    };

    soft_shadow(cr, body, 0.8, 1.6, 2, ink, 0.45);

    const double top = cy - 0.5 * width;
    const double bottom = cy + band_bottom * width;
    const Pattern metal = linear(
        cx, top, cx, bottom, {{0.0, gold_light}, {0.45, gold}, {0.75, mix(gold, gold_dark, 0.4)}, {1.0, gold_dark}});
    body(cr);
    cairo_set_source(cr, metal.get());
    cairo_fill_preserve(cr);
    set_colour(cr, gold_dark);
    cairo_set_line_width(cr, 0.8);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);

    // Band: a light rim along its top edge, a pip as centre stone, two small dark stones.
    const double band_y = cy + (band_top + band_bottom) / 2 * width;
    cairo_move_to(cr, cx - 0.44 * width, cy + band_top * width + 1);
    cairo_line_to(cr, cx + 0.44 * width, cy + band_top * width + 1);
    set_colour(cr, gold_light, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    pip(cr, suit, cx, band_y, 0.2 * width);
    for (const double side : {-1.0, 1.0}) {
        ellipse_path(cr, cx + side * 0.28 * width, band_y, 0.05 * width, 0.06 * width);
        set_colour(cr, suit == Suit::Hearts || suit == Suit::Diamonds ? dusk : ember_dark);
        cairo_fill(cr);
    }
}

// Face treatments: plain cream, or the warm gold of a magic card.
enum class Finish { Plain, Gold };

constexpr Rgb kGoldPaperLight = hex(0xfbecc0);
constexpr Rgb kGoldPaperDeep = hex(0xe9cf8c);

// Runs `draw` once upright and once turned half round about the card centre.
template <typename Draw>
void both_ends(cairo_t* cr, Draw draw) {
    for (int turn = 0; turn < 2; ++turn) {
        cairo_save(cr);
        if (turn == 1) {
            cairo_translate(cr, kW, kH);
            cairo_rotate(cr, kPi);
        }
        draw();
        cairo_restore(cr);
    }
}

// Rank text centred on column_x; "10" is squeezed so it stays inside the index column.
void rank_text(cairo_t* cr, const Typeface& typeface, double size, const char* rank, double column_x,
               double baseline) {
    const bool wide = std::string_view(rank).size() > 1;
    cairo_save(cr);
    cairo_translate(cr, column_x, 0);
    cairo_scale(cr, wide ? 0.72 : 1.0, 1.0);
    text_path(cr, typeface, size, rank, 0, baseline, Align::Centre);
    cairo_restore(cr);
}

// Rank above pip in the top-left corner; drawn twice, once turned for the other corner.
void corner_index(cairo_t* cr, const Typeface& typeface, const char* rank, Suit suit) {
    constexpr double column_x = 12;
    constexpr double rank_size = 26;
    constexpr double rank_baseline = 25;
    constexpr double pip_y = 35;
    constexpr double pip_size = 13;
    both_ends(cr, [&] {
        rank_text(cr, typeface, rank_size, rank, column_x, rank_baseline);
        set_colour(cr, suit_colour(suit));
        cairo_fill(cr);
        pip(cr, suit, column_x, pip_y, pip_size);
    });
}

void face_base(cairo_t* cr, Finish finish) {
    card_outline(cr);
    cairo_clip(cr);
    const Pattern paper = finish == Finish::Gold
                              ? linear(0, 0, kW, kH, {{0.0, kGoldPaperLight}, {1.0, kGoldPaperDeep}})
                              : linear(0, 0, kW, kH, {{0.0, cream}, {1.0, cream_shade}});
    cairo_set_source(cr, paper.get());
    cairo_paint(cr);
}

// Magic faces: light pooling in from the edge, a gold rim and two small sparkles.
void glow_frame(cairo_t* cr) {
    for (const auto& [width, alpha] : {std::pair{14.0, 0.10}, {9.0, 0.14}, {5.0, 0.2}}) {
        rounded_rect(cr, 0, 0, kW, kH, kCardRadius);
        set_colour(cr, gold_light, alpha);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    }
    gold_border(cr, 2, 2, kW - 4, kH - 4, kCardRadius - 2, 1.6);
    auto sparkle = [&](double x, double y, double r) {
        cairo_move_to(cr, x, y - r);
        cairo_curve_to(cr, x + r * 0.12, y - r * 0.12, x + r * 0.12, y - r * 0.12, x + r, y);
        cairo_curve_to(cr, x + r * 0.12, y + r * 0.12, x + r * 0.12, y + r * 0.12, x, y + r);
        cairo_curve_to(cr, x - r * 0.12, y + r * 0.12, x - r * 0.12, y + r * 0.12, x - r, y);
        cairo_curve_to(cr, x - r * 0.12, y - r * 0.12, x - r * 0.12, y - r * 0.12, x, y - r);
        cairo_close_path(cr);
        set_colour(cr, white, 0.9);
        cairo_fill(cr);
    };
    sparkle(kW - 9, 9, 5);
    sparkle(9, kH - 9, 5);
}

// Pip centres of the number cards on a unit grid: x -1 left, 0 centre, 1 right column;
// y 0 top row .. 1 bottom row. Pips below the middle are drawn turned round.
struct PipSpot {
    double x, y;
};

std::vector<PipSpot> pip_layout(int rank) {
    constexpr double third = 1.0 / 3.0;
    std::vector<PipSpot> spots;
    auto column_pair = [&](std::initializer_list<double> rows) {
        for (const double y : rows) {
            spots.push_back({-1, y});
            spots.push_back({1, y});
        }
    };
    switch (rank) {
    case 2: spots = {{0, 0}, {0, 1}}; break;
    case 3: spots = {{0, 0}, {0, 0.5}, {0, 1}}; break;
    case 4: column_pair({0, 1}); break;
    case 5: column_pair({0, 1}); spots.push_back({0, 0.5}); break;
    case 6: column_pair({0, 0.5, 1}); break;
    case 7: column_pair({0, 0.5, 1}); spots.push_back({0, 0.25}); break;
    case 8: column_pair({0, 0.5, 1}); spots.push_back({0, 0.25}); spots.push_back({0, 0.75}); break;
    case 9: column_pair({0, third, 2 * third, 1}); spots.push_back({0, 0.5}); break;
    case 10: column_pair({0, third, 2 * third, 1}); spots.push_back({0, third / 2}); spots.push_back({0, 1 - third / 2}); break;
    default: break;
    }
    return spots;
}

void number_pips(cairo_t* cr, int rank, Suit suit) {
    // Nine and ten need the full height and slightly smaller pips to keep clear of each other.
    const bool crowded = rank >= 9;
    const double column_gap = 15.5;
    const double top = crowded ? 22 : 25;
    const double bottom = kH - top;
    const double size = crowded ? 15.5 : 17;
    for (const PipSpot& s : pip_layout(rank)) {
        const double x = kW / 2 + s.x * column_gap;
        const double y = top + s.y * (bottom - top);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        if (s.y > 0.5) cairo_rotate(cr, kPi);
        // A whisper of shadow keeps the pips crisp on the paper.
        suit_path(cr, suit, 0.4, 0.8, size);
        set_colour(cr, ink, 0.12);
        cairo_fill(cr);
        pip(cr, suit, 0, 0, size);
        cairo_restore(cr);
    }
}

// The ace: one large pip on a gold ring with leaf sprigs.
void ace_pip(cairo_t* cr, Suit suit) {
    const double cx = kW / 2;
    const double cy = kH / 2;
    const Pattern halo = radial(cx, cy, 4, 38, {{0.0, gold_light, 0.55}, {1.0, gold_light, 0.0}});
    cairo_set_source(cr, halo.get());
    cairo_paint(cr);

    for (const double a : {0.25, 0.75, 1.25, 1.75}) {
        const double angle = a * kPi;
        leaf(cr, cx + std::cos(angle) * 22, cy + std::sin(angle) * 26, 14, 6, angle, forest, forest_deep);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, 27, 0, 2 * kPi);
    gold_stroke(cr, cx - 27, cy - 27, 54, 54, 1.6);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, 30.5, 0, 2 * kPi);
    set_colour(cr, gold, 0.5);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);

    soft_shadow(cr, [&](cairo_t* c) { suit_path(c, suit, cx, cy, 40); }, 0.8, 1.5, 2, ink, 0.4);
    pip(cr, suit, cx, cy, 40);
    // Fine inner line and a highlight make it read as an inlaid piece rather than a stamp.
    suit_path(cr, suit, cx, cy, 31);
    set_colour(cr, cream, 0.55);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    suit_path(cr, suit, cx, cy, 40);
    const Pattern shine = linear(cx - 20, cy - 20, cx + 10, cy + 10, {{0.0, white, 0.35}, {0.6, white, 0.0}});
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_source(cr, shine.get());
    cairo_paint(cr);
    cairo_restore(cr);
}

// A queen's tiara: a curved band with three arched peaks, pearls and a pip gem.
void tiara(cairo_t* cr, double cx, double cy, double width, Suit suit) {
    auto body = [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, cx, cy);
        cairo_scale(c, width, width);
        cairo_move_to(c, -0.48, 0.12);
        cairo_curve_to(c, -0.44, -0.05, -0.34, -0.12, -0.27, -0.2);
        cairo_curve_to(c, -0.2, -0.1, -0.14, -0.06, -0.1, -0.08);
        cairo_curve_to(c, -0.06, -0.2, -0.02, -0.3, 0, -0.4);
        cairo_curve_to(c, 0.02, -0.3, 0.06, -0.2, 0.1, -0.08);
        cairo_curve_to(c, 0.14, -0.06, 0.2, -0.1, 0.27, -0.2);
        cairo_curve_to(c, 0.34, -0.12, 0.44, -0.05, 0.48, 0.12);
        cairo_curve_to(c, 0.2, 0.04, -0.2, 0.04, -0.48, 0.12);
        cairo_close_path(c);
        cairo_move_to(c, -0.48, 0.12);
        cairo_curve_to(c, -0.2, 0.04, 0.2, 0.04, 0.48, 0.12);
        cairo_line_to(c, 0.47, 0.24);
        cairo_curve_to(c, 0.2, 0.16, -0.2, 0.16, -0.47, 0.24);
        cairo_close_path(c);
        for (const PipSpot p : {PipSpot{-0.27, -0.24}, {0, -0.45}, {0.27, -0.24}}) {
            cairo_new_sub_path(c);
            cairo_arc(c, p.x, p.y, 0.05, 0, 2 * kPi);
        }
        cairo_restore(c);
    };
    soft_shadow(cr, body, 0.8, 1.6, 2, ink, 0.45);
    const Pattern metal = linear(cx, cy - 0.45 * width, cx, cy + 0.24 * width,
                                 {{0.0, gold_light}, {0.5, gold}, {1.0, gold_dark}});
    body(cr);
    cairo_set_source(cr, metal.get());
    cairo_fill_preserve(cr);
    set_colour(cr, gold_dark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (const PipSpot p : {PipSpot{-0.27, -0.24}, {0, -0.45}, {0.27, -0.24}}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + p.x * width, cy + p.y * width, 0.035 * width, 0, 2 * kPi);
        set_colour(cr, cream);
        cairo_fill(cr);
    }
    pip(cr, suit, cx, cy - 0.1 * width, 0.2 * width);
}

// A straight sword, point up, centred on cx from tip_y; `length` long.
void sword_shape(cairo_t* cr, double cx, double tip_y, double length, double blade_width) {
    const double guard_y = tip_y + length * 0.68;
    const double grip_end = tip_y + length * 0.9;
    auto blade = [&](cairo_t* c) {
        cairo_move_to(c, cx, tip_y);
        cairo_line_to(c, cx + blade_width / 2, tip_y + blade_width * 1.4);
        cairo_line_to(c, cx + blade_width / 2, guard_y);
        cairo_line_to(c, cx - blade_width / 2, guard_y);
        cairo_line_to(c, cx - blade_width / 2, tip_y + blade_width * 1.4);
        cairo_close_path(c);
    };
    soft_shadow(cr, blade, 0.8, 1.5, 2, ink, 0.4);
    blade(cr);
    const Pattern steel = linear(cx - blade_width / 2, 0, cx + blade_width / 2, 0,
                                 {{0.0, hex(0xd9dfe6)}, {0.48, hex(0xf4f7fa)}, {0.52, hex(0x9aa6b4)}, {1.0, hex(0x6f7b8a)}});
    cairo_set_source(cr, steel.get());
    cairo_fill_preserve(cr);
    set_colour(cr, hex(0x3c4652));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Fuller down the middle.
    cairo_move_to(cr, cx, tip_y + blade_width * 2);
    cairo_line_to(cr, cx, guard_y - 3);
    set_colour(cr, hex(0x5f6b7a), 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    const double guard_w = blade_width * 3.6;
    rounded_rect(cr, cx - guard_w / 2, guard_y, guard_w, blade_width * 0.7, blade_width * 0.3);
    rounded_rect(cr, cx - blade_width * 0.32, guard_y, blade_width * 0.64, grip_end - guard_y, 1);
    const Pattern metal = gold_pattern(cx - guard_w / 2, guard_y, cx + guard_w / 2, grip_end);
    cairo_set_source(cr, metal.get());
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, grip_end + blade_width * 0.45, blade_width * 0.55, 0, 2 * kPi);
    cairo_set_source(cr, metal.get());
    cairo_fill_preserve(cr);
    set_colour(cr, gold_dark);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

// A jack's heater shield with the pip on it, a sword standing behind.
void shield(cairo_t* cr, double cx, double cy, double width, Suit suit) {
    sword_shape(cr, cx, cy - width * 1.05, width * 2.05, width * 0.16);
    const double h = width * 1.15;
    auto body = [&](cairo_t* c) {
        const double top = cy - h * 0.45;
        cairo_move_to(c, cx - width / 2, top);
        cairo_curve_to(c, cx - width * 0.2, top - width * 0.08, cx + width * 0.2, top - width * 0.08, cx + width / 2, top);
        cairo_curve_to(c, cx + width / 2, top + h * 0.55, cx + width * 0.3, top + h * 0.85, cx, top + h);
        cairo_curve_to(c, cx - width * 0.3, top + h * 0.85, cx - width / 2, top + h * 0.55, cx - width / 2, top);
        cairo_close_path(c);
    };
    soft_shadow(cr, body, 0.8, 1.6, 2, ink, 0.45);
    body(cr);
    const Rgb field = suit == Suit::Hearts || suit == Suit::Diamonds ? dusk : forest;
    const Pattern fill = linear(cx, cy - h / 2, cx, cy + h / 2, {{0.0, mix(field, white, 0.15)}, {1.0, mix(field, black, 0.3)}});
    cairo_set_source(cr, fill.get());
    cairo_fill_preserve(cr);
    gold_stroke(cr, cx - width / 2, cy - h / 2, width, h, 2.2);
    suit_path(cr, suit, cx, cy - h * 0.03, width * 0.5);
    set_colour(cr, cream);
    cairo_fill(cr);
    suit_path(cr, suit, cx, cy - h * 0.03, width * 0.36);
    set_colour(cr, suit_colour(suit));
    cairo_fill(cr);
}
}  // namespace

Canvas card_mask(const Context&) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    card_outline(cr);
    set_colour(cr, white);
    cairo_fill(cr);
    return canvas;
}

Canvas card_back(const Context&, const BackColours& colours) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    card_outline(cr);
    cairo_clip(cr);

    const Pattern band = linear(0, 0, 0, kH, {{0.0, colours.edge_top}, {1.0, colours.edge_bottom}});
    cairo_set_source(cr, band.get());
    cairo_paint(cr);

    constexpr double inset = 5;
    const double fx = inset;
    const double fy = inset;
    const double fw = kW - 2 * inset;
    const double fh = kH - 2 * inset;
    cairo_save(cr);
    rounded_rect(cr, fx, fy, fw, fh, 4);
    cairo_clip(cr);
    const Pattern field = linear(0, fy, 0, fy + fh, {{0.0, colours.field_top}, {1.0, colours.field_bottom}});
    cairo_set_source(cr, field.get());
    cairo_paint(cr);
    back_lattice(cr, colours, fx, fy, fw, fh);
    vignette(cr, fx, fy, fw, fh, 0.45);
    cairo_restore(cr);

    gold_border(cr, fx - 1, fy - 1, fw + 2, fh + 2, 5, 1.1);
    back_medallion(cr, colours);

    // A breath of light from the top left, then the dark edge line.
    const Pattern sheen = linear(0, 0, kW, kH, {{0.0, white, 0.10}, {0.5, white, 0.0}});
    cairo_set_source(cr, sheen.get());
    cairo_paint(cr);
    card_edge_line(cr, black, 0.55);
    return canvas;
}

namespace {

// The parchment panel between the index columns, with a pip on a leaf sprig at each end.
void court_panel(cairo_t* cr, Suit suit, Finish finish) {
    constexpr double frame_x = 25;
    constexpr double frame_y = 10;
    constexpr double frame_w = kW - 2 * frame_x;
    constexpr double frame_h = kH - 2 * frame_y;
    const Rgb paper = finish == Finish::Gold ? kGoldPaperLight : cream;
    rounded_rect(cr, frame_x, frame_y, frame_w, frame_h, 4);
    const Pattern panel = radial(kW / 2, kH / 2, 4, frame_h * 0.6,
                                 {{0.0, mix(paper, parchment, 0.25)}, {1.0, mix(paper, parchment, 0.75)}});
    cairo_set_source(cr, panel.get());
    cairo_fill(cr);
    gold_border(cr, frame_x, frame_y, frame_w, frame_h, 4, 1.0);

    both_ends(cr, [&] {
        const double pip_y = frame_y + 17;
        const double stem_y = pip_y + 8;
        for (const double side : {-1.0, 1.0}) {
            leaf(cr, kW / 2 + side * 1.5, stem_y, 11, 4.4, -kPi / 2 + side * 1.2, forest, forest_deep);
            leaf(cr, kW / 2 + side * 1.5, stem_y, 7, 3.4, -kPi / 2 + side * 2.0, forest_light, forest_deep);
        }
        pip(cr, suit, kW / 2, pip_y, 13);
    });
}

// One face drawn at the origin; the caller places it in its cell.
void draw_face(cairo_t* cr, const Typeface& typeface, int rank, Suit suit, Finish finish) {
    static constexpr const char* kNames[] = {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};
    cairo_save(cr);
    face_base(cr, finish);
    if (rank <= 10) {
        number_pips(cr, rank, suit);
    } else if (rank == 14) {
        ace_pip(cr, suit);
    } else {
        court_panel(cr, suit, finish);
        if (rank == 11) shield(cr, kW / 2, kH / 2 + 2, 30, suit);
        if (rank == 12) tiara(cr, kW / 2, kH / 2 + 3, 42, suit);
        if (rank == 13) crown(cr, kW / 2, kH / 2 + 2, 42, suit);
    }
    corner_index(cr, typeface, kNames[rank], suit);
    if (finish == Finish::Gold) glow_frame(cr);
    card_edge_line(cr, finish == Finish::Gold ? gold_dark : card_edge, 0.9);
    cairo_restore(cr);
}

}  // namespace

Canvas court_face(const Context& context, const char* rank, Suit suit, Emblem emblem) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    face_base(cr, Finish::Plain);
    court_panel(cr, suit, Finish::Plain);
    switch (emblem) {
    case Emblem::Crown: crown(cr, kW / 2, kH / 2 + 2, 42, suit); break;
    case Emblem::Tiara: tiara(cr, kW / 2, kH / 2 + 3, 42, suit); break;
    case Emblem::Shield: shield(cr, kW / 2, kH / 2 + 2, 30, suit); break;
    }
    corner_index(cr, context.typeface, rank, suit);
    card_edge_line(cr, card_edge, 0.9);
    return canvas;
}

Canvas suit_strip(const Context& context, Suit suit, bool magic) {
    constexpr int kRanks = 13;
    Canvas canvas(kCardWidth * kRanks, kCardHeight);
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < kRanks; ++i) {
        cairo_save(cr);
        cairo_translate(cr, i * kW, 0);
        draw_face(cr, context.typeface, i + 2, suit, magic ? Finish::Gold : Finish::Plain);
        cairo_restore(cr);
    }
    return canvas;
}

// Wild cards: the lower part hides below the sword arc, so rank and blade sit up top.
Canvas sword_strip(const Context& context) {
    static constexpr const char* kNames[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};
    constexpr Rgb steel_light = hex(0xe6edf2);
    constexpr Rgb steel_deep = hex(0xb9c8d4);
    Canvas canvas(kCardWidth * 13, kCardHeight);
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 13; ++i) {
        cairo_save(cr);
        cairo_translate(cr, i * kW, 0);
        card_outline(cr);
        cairo_clip(cr);
        const Pattern paper = linear(0, 0, 0, kH, {{0.0, steel_light}, {1.0, steel_deep}});
        cairo_set_source(cr, paper.get());
        cairo_paint(cr);
        // A dusk-blue ground behind the blade.
        rounded_rect(cr, 28, 6, kW - 56, 74, 5);
        const Pattern ground = linear(0, 6, 0, 80, {{0.0, dusk_light}, {1.0, dusk}});
        cairo_set_source(cr, ground.get());
        cairo_fill(cr);
        gold_border(cr, 28, 6, kW - 56, 74, 5, 1.2);
        for (const double side : {-1.0, 1.0}) {
            leaf(cr, kW / 2, 66, 14, 5, -kPi / 2 + side * 1.0, forest_light, forest_deep);
        }
        sword_shape(cr, kW / 2, 10, 96, 9);

        for (const double side : {-1.0, 1.0}) {
            const double x = side < 0 ? 14 : kW - 14;
            rank_text(cr, context.typeface, 26, kNames[i], x, 27);
            set_colour(cr, dusk_deep);
            cairo_fill(cr);
            rune_path(cr, Rune::Sowilo, x, 40, 12);
            gold_stroke(cr, x - 4, 34, 8, 12, 1.8);
        }
        // Below the fold: a quiet rune band only.
        cairo_move_to(cr, 14, 118);
        cairo_line_to(cr, kW - 14, 118);
        gold_stroke(cr, 14, 117, kW - 28, 2, 1);
        rune_path(cr, Rune::Algiz, kW / 2, 128, 10);
        set_colour(cr, dusk, 0.6);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        gold_border(cr, 2, 2, kW - 4, kH - 4, kCardRadius - 2, 1.2);
        card_edge_line(cr, dusk_deep, 0.8);
        cairo_restore(cr);
    }
    return canvas;
}

// Drawn at half size on the table, so made at twice the card size with bold lines.
Canvas hammer_card(const Context&) {
    constexpr double w = 2 * kW;
    constexpr double h = 2 * kH;
    Canvas canvas(2 * kCardWidth, 2 * kCardHeight);
    cairo_t* cr = canvas.cr();
    rounded_rect(cr, 0, 0, w, h, 2 * kCardRadius);
    cairo_clip(cr);
    const Pattern paper = linear(0, 0, w, h, {{0.0, parchment}, {1.0, hex(0xcdb98a)}});
    cairo_set_source(cr, paper.get());
    cairo_paint(cr);
    const Pattern glow = radial(w / 2, h / 2, 10, 110, {{0.0, gold_light, 0.8}, {1.0, gold_light, 0.0}});
    cairo_set_source(cr, glow.get());
    cairo_paint(cr);
    vignette(cr, 0, 0, w, h, 0.35);

    cairo_save(cr);
    cairo_translate(cr, w / 2 + 6, h / 2 + 8);
    cairo_scale(cr, 0.85, 0.85);
    cairo_rotate(cr, -kPi / 5);
    // Handle.
    auto handle = [](cairo_t* c) { rounded_rect(c, -8, -40, 16, 150, 7); };
    auto head = [](cairo_t* c) {
        cairo_move_to(c, -52, -78);
        cairo_line_to(c, 46, -78);
        cairo_curve_to(c, 56, -78, 60, -72, 60, -60);
        cairo_line_to(c, 60, -34);
        cairo_curve_to(c, 60, -22, 56, -16, 46, -16);
        cairo_line_to(c, -52, -16);
        cairo_line_to(c, -60, -28);
        cairo_line_to(c, -60, -66);
        cairo_close_path(c);
    };
    soft_shadow(cr, handle, 3, 5, 5, ink, 0.45);
    soft_shadow(cr, head, 3, 5, 5, ink, 0.45);
    handle(cr);
    const Pattern wood = linear(-8, 0, 8, 0, {{0.0, hex(0x6b4226)}, {0.4, hex(0xa8703f)}, {1.0, hex(0x4e2f1a)}});
    cairo_set_source(cr, wood.get());
    cairo_fill_preserve(cr);
    set_colour(cr, hex(0x2e1b0f));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (const double y : {70.0, 82.0, 94.0}) {
        rounded_rect(cr, -10, y, 20, 6, 2);
    }
    const Pattern wrap = gold_pattern(-10, 70, 10, 100);
    cairo_set_source(cr, wrap.get());
    cairo_fill(cr);
    head(cr);
    const Pattern iron = linear(0, -78, 0, -16, {{0.0, hex(0xc9d1d8)}, {0.45, hex(0x8b96a1)}, {1.0, hex(0x4b5560)}});
    cairo_set_source(cr, iron.get());
    cairo_fill_preserve(cr);
    set_colour(cr, hex(0x262d34));
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    rune_path(cr, Rune::Dagaz, 0, -47, 36);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    gold_stroke(cr, -12, -65, 24, 36, 4);
    cairo_restore(cr);

    gold_border(cr, 6, 6, w - 12, h - 12, 2 * kCardRadius - 6, 3);
    rounded_rect(cr, 1, 1, w - 2, h - 2, 2 * kCardRadius - 1);
    set_colour(cr, gold_dark, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return canvas;
}
}  // namespace gfxgen
