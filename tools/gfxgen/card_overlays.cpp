// Pictures laid over or around a card: the hover halo, the magic outlines, and the
// snow, ice and rock obstacles. All share the card outline of cards.cpp.
#include "recipes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace gfxgen {

using namespace palette;

namespace {

constexpr double kW = kCardWidth;
constexpr double kH = kCardHeight;
constexpr double kPi = std::numbers::pi;

// Small fixed-seed generator so every run draws the same stones, crystals and flakes.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    // Uniform in [lo, hi).
    double operator()(double lo, double hi) {
        state_ = state_ * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }

private:
    std::uint32_t state_;
};

// The card outline placed with its top-left corner at (x, y).
void card_at(cairo_t* cr, double x, double y) { rounded_rect(cr, x, y, kW, kH, kCardRadius); }

}  // namespace

// White so the code can tint it red for a refused click and add it for hints.
Canvas hover_glow(const Context&) {
    constexpr int kHalo = 17;
    Canvas canvas(kCardWidth + 2 * kHalo, kCardHeight + 2 * kHalo);
    cairo_t* cr = canvas.cr();
    soft_shadow(cr, [](cairo_t* c) { rounded_rect(c, kHalo - 5, kHalo - 5, kW + 10, kH + 10, kCardRadius + 5); },
                0, 0, 5, white, 1.0);
    return canvas;
}

// Two gold rims that the game cross-fades additively: a smooth one and a sparkling one.
Canvas magic_outline(const Context&, int variant) {
    constexpr int kHalo = 12;
    Canvas canvas(kCardWidth + 2 * kHalo, kCardHeight + 2 * kHalo);
    cairo_t* cr = canvas.cr();
    const double grow = variant == 1 ? 3 : 5;
    auto ring = [&](cairo_t* c) {
        rounded_rect(c, kHalo - grow, kHalo - grow, kW + 2 * grow, kH + 2 * grow, kCardRadius + grow);
        // Inner edge wound the other way leaves the card itself clear.
        cairo_new_sub_path(c);
        cairo_save(c);
        cairo_translate(c, kHalo + kW, kHalo);
        cairo_scale(c, -1, 1);
        rounded_rect(c, 1, 1, kW - 2, kH - 2, kCardRadius - 1);
        cairo_restore(c);
    };
    soft_shadow(cr, ring, 0, 0, variant == 1 ? 3 : 4, gold, 0.95);
    card_at(cr, kHalo - 1, kHalo - 1);
    cairo_set_line_width(cr, 2);
    set_colour(cr, gold_light, variant == 1 ? 0.9 : 0.5);
    cairo_stroke(cr);
    if (variant == 2) {
        Dice dice(7);
        for (int i = 0; i < 22; ++i) {
            // Spread sparkles along the perimeter.
            const double t = (i + dice(0.2, 0.8)) / 22.0;
            const double perimeter = 2 * (kW + kH);
            double d = t * perimeter;
            double x = 0;
            double y = 0;
            if (d < kW) { x = d; y = 0; }
            else if ((d -= kW) < kH) { x = kW; y = d; }
            else if ((d -= kH) < kW) { x = kW - d; y = kH; }
            else { d -= kW; x = 0; y = kH - d; }
            x = std::clamp(x, 4.0, kW - 4) + kHalo;
            y = std::clamp(y, 4.0, kH - 4) + kHalo;
            const double r = dice(2.5, 5.5);
            const Pattern spark = radial(x, y, 0, r, {{0.0, white, 1.0}, {0.4, gold_light, 0.8}, {1.0, gold, 0.0}});
            cairo_set_source(cr, spark.get());
            cairo_arc(cr, x, y, r, 0, 2 * kPi);
            cairo_fill(cr);
        }
    }
    return canvas;
}

// Snow lying on a face-down card: a lumpy drift over most of it, blue in the hollows.
Canvas snow_cover(const Context&) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    card_at(cr, 0, 0);
    cairo_clip(cr);
    auto drift = [](cairo_t* c) {
        cairo_move_to(c, -2, 34);
        cairo_curve_to(c, 14, 20, 26, 30, 38, 22);
        cairo_curve_to(c, 52, 12, 64, 26, 76, 18);
        cairo_curve_to(c, 86, 12, 94, 20, 100, 24);
        cairo_line_to(c, 100, 150);
        cairo_line_to(c, -2, 150);
        cairo_close_path(c);
    };
    soft_shadow(cr, drift, 0, 2, 3, dusk_deep, 0.45);
    drift(cr);
    const Pattern body = linear(0, 14, 0, kH, {{0.0, hex(0xffffff)}, {0.5, hex(0xeef4fb)}, {1.0, hex(0xd3e1ef)}});
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    // Soft blue hollows and bright crests give the drift some relief.
    Dice dice(3);
    for (int i = 0; i < 14; ++i) {
        const double x = dice(0, kW);
        const double y = dice(40, kH);
        const double r = dice(8, 18);
        const Pattern hollow = radial(x, y, 0, r, {{0.0, hex(0x9fb8d4), 0.35}, {1.0, hex(0x9fb8d4), 0.0}});
        cairo_set_source(cr, hollow.get());
        cairo_paint(cr);
    }
    cairo_move_to(cr, 4, 32);
    cairo_curve_to(cr, 16, 22, 26, 31, 38, 24);
    cairo_curve_to(cr, 52, 14, 64, 28, 76, 20);
    cairo_curve_to(cr, 86, 14, 92, 21, 96, 24);
    set_colour(cr, white, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Sparkles in the snow.
    for (int i = 0; i < 40; ++i) {
        cairo_arc(cr, dice(0, kW), dice(30, kH), dice(0.4, 1.0), 0, 2 * kPi);
        cairo_new_sub_path(cr);
    }
    set_colour(cr, white);
    cairo_fill(cr);
    return canvas;
}

// Ice forming over a card: cell 0 a first trace of frost at the corners, cell 8 a
// frozen sheet with rime edges and crystals over the whole card.
Canvas ice_strip(const Context&) {
    constexpr int kCells = 9;
    Canvas canvas(kCardWidth * kCells, kCardHeight);
    cairo_t* cr = canvas.cr();
    for (int cell = 0; cell < kCells; ++cell) {
        const double t = (cell + 1.0) / kCells;
        cairo_save(cr);
        cairo_translate(cr, cell * kW, 0);
        card_at(cr, 0, 0);
        cairo_clip(cr);

        // Sheet: grows in from the edges and thickens.
        const Pattern sheet = radial(kW / 2, kH / 2, (1 - t) * 80, 80 + (1 - t) * 30,
                                     {{0.0, hex(0xcfe8f7), 0.0}, {0.3, hex(0xcfe8f7), 0.12 + 0.2 * t}, {1.0, hex(0xe9f6ff), 0.4 + 0.3 * t}});
        cairo_matrix_t m;
        cairo_matrix_init_translate(&m, kW / 2, kH / 2);
        cairo_matrix_scale(&m, 1.0, kW / kH);
        cairo_matrix_translate(&m, -kW / 2, -kH / 2);
        cairo_pattern_set_matrix(sheet.get(), &m);
        cairo_set_source(cr, sheet.get());
        cairo_paint(cr);
        if (cell == kCells - 1) {
            set_colour(cr, hex(0xbfdcf0), 0.18);
            cairo_paint(cr);
        }

        // Crystals: each grows from the border toward the middle, more of them each cell.
        Dice dice(11);
        const int crystals = 4 + cell * 4;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 40; ++i) {
            const double along = dice(0, 1);
            const int side = static_cast<int>(dice(0, 4));
            const double length = dice(10, 30);
            const double bend = dice(-0.5, 0.5);
            if (i >= crystals) continue;
            double x = 0;
            double y = 0;
            double angle = 0;
            switch (side) {
            case 0: x = along * kW; y = 0; angle = kPi / 2; break;
            case 1: x = kW; y = along * kH; angle = kPi; break;
            case 2: x = along * kW; y = kH; angle = -kPi / 2; break;
            default: x = 0; y = along * kH; angle = 0; break;
            }
            angle += bend;
            const double reach = length * std::min(1.0, 0.5 + t);
            const double ex = x + std::cos(angle) * reach;
            const double ey = y + std::sin(angle) * reach;
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, ex, ey);
            for (const double f : {0.35, 0.6, 0.85}) {
                const double bx = x + (ex - x) * f;
                const double by = y + (ey - y) * f;
                const double twig = reach * 0.3 * (1.1 - f);
                for (const double s : {-1.0, 1.0}) {
                    cairo_move_to(cr, bx, by);
                    cairo_line_to(cr, bx + std::cos(angle + s * 0.8) * twig, by + std::sin(angle + s * 0.8) * twig);
                }
            }
            set_colour(cr, white, 0.85);
            cairo_set_line_width(cr, 1.1);
            cairo_stroke(cr);
        }

        // Rime along the edge, and on the frozen cells a glassy highlight and two cracks.
        card_at(cr, 0, 0);
        set_colour(cr, white, 0.3 + 0.6 * t);
        cairo_set_line_width(cr, 2 + 5 * t);
        cairo_stroke(cr);
        if (cell >= 6) {
            const double a = (cell - 5) / 3.0;
            cairo_move_to(cr, 10, 50);
            cairo_line_to(cr, 60, 8);
            cairo_line_to(cr, 74, 8);
            cairo_line_to(cr, 10, 64);
            cairo_close_path(cr);
            set_colour(cr, white, 0.35 * a);
            cairo_fill(cr);
            cairo_move_to(cr, 70, 140);
            cairo_line_to(cr, 58, 112);
            cairo_line_to(cr, 66, 96);
            cairo_line_to(cr, 52, 80);
            cairo_move_to(cr, 58, 112);
            cairo_line_to(cr, 40, 104);
            set_colour(cr, white, 0.7 * a);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
    return canvas;
}

// Nine layers of stones; the game fades them in one over the other, so cell i holds
// only the i-th pile and the piles climb from the bottom of the card to its top.
Canvas rocks_strip(const Context&) {
    constexpr int kCells = 9;
    Canvas canvas(kCardWidth * kCells, kCardHeight);
    cairo_t* cr = canvas.cr();
    for (int cell = 0; cell < kCells; ++cell) {
        cairo_save(cr);
        cairo_translate(cr, cell * kW, 0);
        Dice dice(101 + static_cast<std::uint32_t>(cell));
        // Alternate bands: the lower piles are wide, the top ones scatter.
        const double band_y = kH - 14 - cell * 14.5;
        const int stones = 5 + (cell % 3);
        for (int s = 0; s < stones; ++s) {
            const double cx = (s + dice(0.1, 0.9)) * kW / stones;
            const double cy = band_y + dice(-7, 7);
            const double r = dice(10, 16);
            const int corners = 7;
            const double phase = dice(0, 2 * kPi);
            double radius[corners];
            for (double& q : radius) q = r * dice(0.75, 1.1);
            auto stone = [&](cairo_t* c) {
                for (int k = 0; k <= corners; ++k) {
                    const double a0 = phase + 2 * kPi * k / corners;
                    const double rr = radius[k % corners];
                    const double x = cx + std::cos(a0) * rr;
                    const double y = cy + std::sin(a0) * rr * 0.78;
                    if (k == 0) cairo_move_to(c, x, y); else cairo_line_to(c, x, y);
                }
                cairo_close_path(c);
            };
            soft_shadow(cr, stone, 1, 2.5, 2, black, 0.5);
            const double shade = dice(0, 1);
            const Rgb base = mix(hex(0x8a8478), hex(0x6d6457), shade);
            stone(cr);
            const Pattern fill = radial(cx - r * 0.35, cy - r * 0.4, 1, r * 1.3,
                                        {{0.0, mix(base, white, 0.45)}, {0.55, base}, {1.0, mix(base, black, 0.45)}});
            cairo_set_source(cr, fill.get());
            cairo_fill_preserve(cr);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            set_colour(cr, hex(0x3a342c), 0.9);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            // A crack or a fleck of moss on some stones.
            if (dice(0, 1) < 0.4) {
                cairo_move_to(cr, cx - r * 0.3, cy - r * 0.1);
                cairo_line_to(cr, cx, cy + r * 0.1);
                cairo_line_to(cr, cx + r * 0.25, cy);
                set_colour(cr, hex(0x3a342c), 0.6);
                cairo_set_line_width(cr, 0.8);
                cairo_stroke(cr);
            } else if (dice(0, 1) < 0.5) {
                leaf(cr, cx - r * 0.2, cy - r * 0.5, 6, 3, -2.2, forest_light, forest_deep, 0.9);
            }
        }
        cairo_restore(cr);
    }
    return canvas;
}

}  // namespace gfxgen
