// Table backgrounds, 1024 x 768, painted in layers: sky, far hills, the scene's own
// middle ground, framing trees near the edges, then light. The middle, where the cards
// lie, is veiled so it stays calm and low in contrast.
#include "recipes.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace gfxgen {

using namespace palette;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kPi = std::numbers::pi;

class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 7) {}
    double operator()(double lo, double hi) {
        state_ = state_ * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }

private:
    std::uint32_t state_;
};

struct Look {
    Rgb sky_top, sky_horizon, sun;
    Rgb far_hills, mid_hills, near_ground;
    Rgb foliage, foliage_dark;
    double sun_x, sun_y;
};

// A gently rolling ridge line: a few sine waves with fixed phases.
double ridge(double x, double base, double height, std::uint32_t seed) {
    Dice dice(seed);
    double y = base;
    double amplitude = height;
    double frequency = 1.5;
    for (int k = 0; k < 4; ++k) {
        y += amplitude * std::sin(x / kWidth * frequency * kPi + dice(0, 2 * kPi));
        amplitude *= 0.45;
        frequency *= 2.3;
    }
    return y;
}

void fill_ridge(cairo_t* cr, double base, double height, std::uint32_t seed, Rgb top, Rgb bottom) {
    cairo_move_to(cr, 0, kHeight);
    for (int x = 0; x <= kWidth; x += 8) cairo_line_to(cr, x, ridge(x, base, height, seed));
    cairo_line_to(cr, kWidth, kHeight);
    cairo_close_path(cr);
    const Pattern fill = linear(0, base - height, 0, kHeight, {{0.0, top}, {1.0, bottom}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
}

void sky(cairo_t* cr, const Look& look) {
    const Pattern g = linear(0, 0, 0, kHeight * 0.6, {{0.0, look.sky_top}, {1.0, look.sky_horizon}});
    cairo_set_source(cr, g.get());
    cairo_paint(cr);
    const Pattern sun = radial(look.sun_x, look.sun_y, 10, 420, {{0.0, look.sun, 0.75}, {0.3, look.sun, 0.25}, {1.0, look.sun, 0.0}});
    cairo_set_source(cr, sun.get());
    cairo_paint(cr);
    // Long soft cloud bands.
    Dice dice(5);
    for (int i = 0; i < 7; ++i) {
        const double x = dice(-100, kWidth);
        const double y = dice(40, 260);
        const double w = dice(180, 420);
        cairo_save(cr);
        cairo_translate(cr, x + w / 2, y);
        cairo_scale(cr, w / 2, dice(10, 22));
        const Pattern cloud = radial(0, 0, 0, 1, {{0.0, look.sun, 0.22}, {1.0, look.sun, 0.0}});
        cairo_set_source(cr, cloud.get());
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

void conifer(cairo_t* cr, double x, double ground, double height, Rgb colour) {
    const double w = height * 0.36;
    set_colour(cr, colour);
    for (int tier = 0; tier < 4; ++tier) {
        const double top = ground - height + tier * height * 0.2;
        const double bottom = top + height * 0.42;
        const double half = w * (0.45 + tier * 0.2) / 2;
        cairo_move_to(cr, x, top);
        cairo_curve_to(cr, x + half * 0.4, top + (bottom - top) * 0.5, x + half * 0.8, bottom - 4, x + half, bottom);
        cairo_line_to(cr, x - half, bottom);
        cairo_curve_to(cr, x - half * 0.8, bottom - 4, x - half * 0.4, top + (bottom - top) * 0.5, x, top);
        cairo_close_path(cr);
    }
    cairo_rectangle(cr, x - height * 0.025, ground - height * 0.12, height * 0.05, height * 0.12);
    cairo_fill(cr);
}

void broadleaf(cairo_t* cr, double x, double ground, double height, Rgb colour, Rgb light, std::uint32_t seed) {
    Dice dice(seed);
    set_colour(cr, mix(colour, black, 0.3));
    cairo_move_to(cr, x - height * 0.04, ground);
    cairo_line_to(cr, x - height * 0.02, ground - height * 0.55);
    cairo_line_to(cr, x + height * 0.02, ground - height * 0.55);
    cairo_line_to(cr, x + height * 0.04, ground);
    cairo_fill(cr);
    const double crown_y = ground - height * 0.65;
    for (int i = 0; i < 9; ++i) {
        const double bx = x + dice(-0.28, 0.28) * height;
        const double by = crown_y + dice(-0.25, 0.15) * height;
        const double r = dice(0.14, 0.22) * height;
        const Pattern blob = radial(bx - r * 0.3, by - r * 0.4, r * 0.1, r * 1.2, {{0.0, light}, {1.0, colour}});
        cairo_set_source(cr, blob.get());
        cairo_arc(cr, bx, by, r, 0, 2 * kPi);
        cairo_fill(cr);
    }
}

// Tall dark trees at both sides frame the table without reaching the card area much.
void framing_trees(cairo_t* cr, const Look& look, std::uint32_t seed) {
    Dice dice(seed);
    for (int i = 0; i < 9; ++i) {
        const bool left = i % 2 == 0;
        const double x = left ? dice(-40, 90) : dice(kWidth - 90, kWidth + 40);
        conifer(cr, x, kHeight + 20, dice(420, 640), mix(look.foliage_dark, black, dice(0.1, 0.35)));
    }
    // Low undergrowth along the bottom edge, below the deck holder and the sword arc.
    for (int x = -20; x < kWidth + 40; x += 28) {
        const double r = dice(26, 48);
        const Pattern bush = radial(x, kHeight - 10, r * 0.2, r, {{0.0, look.foliage}, {1.0, look.foliage_dark}});
        cairo_set_source(cr, bush.get());
        cairo_arc(cr, x, kHeight + 8, r, 0, 2 * kPi);
        cairo_fill(cr);
    }
}

void light_rays(cairo_t* cr, const Look& look) {
    for (int i = 0; i < 5; ++i) {
        const double spread = 0.18 + i * 0.13;
        cairo_move_to(cr, look.sun_x, look.sun_y);
        cairo_line_to(cr, look.sun_x + std::cos(spread) * 1400 - 40, look.sun_y + std::sin(spread) * 1400);
        cairo_line_to(cr, look.sun_x + std::cos(spread + 0.05) * 1400, look.sun_y + std::sin(spread + 0.05) * 1400);
        cairo_close_path(cr);
        const Pattern ray = radial(look.sun_x, look.sun_y, 0, 900, {{0.0, look.sun, 0.07}, {1.0, look.sun, 0.0}});
        cairo_set_source(cr, ray.get());
        cairo_fill(cr);
    }
}

// Softens the card area toward one mid tone so the cream cards read first.
void calm_veil(cairo_t* cr, Rgb tone) {
    Pattern veil = radial(0, 0, 0.0, 1.0, {{0.0, tone, 0.42}, {0.7, tone, 0.3}, {1.0, tone, 0.0}});
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1.0 / 520, 1.0 / 280);
    cairo_matrix_translate(&m, -512, -360);
    cairo_pattern_set_matrix(veil.get(), &m);
    cairo_set_source(cr, veil.get());
    cairo_paint(cr);
}

void river(cairo_t* cr, const Look& look, double horizon) {
    auto centre = [&](double y) { return 560 + 200 * std::sin((y - horizon) / 170.0) * (y - horizon) / 500.0; };
    auto half_width = [&](double y) { return 6 + (y - horizon) * 0.38; };
    cairo_move_to(cr, centre(horizon) - half_width(horizon), horizon);
    for (double y = horizon; y <= kHeight + 10; y += 6) cairo_line_to(cr, centre(y) - half_width(y), y);
    for (double y = kHeight + 10; y >= horizon; y -= 6) cairo_line_to(cr, centre(y) + half_width(y), y);
    cairo_close_path(cr);
    const Pattern water = linear(0, horizon, 0, kHeight, {{0.0, mix(look.sky_horizon, look.sun, 0.3)}, {1.0, mix(look.sky_top, look.mid_hills, 0.4)}});
    cairo_set_source(cr, water.get());
    cairo_fill(cr);
    Dice dice(41);
    for (int i = 0; i < 60; ++i) {
        const double y = dice(horizon + 5, kHeight);
        const double x = centre(y) + dice(-0.7, 0.7) * half_width(y);
        const double len = dice(8, 30) * (0.4 + (y - horizon) / 300);
        cairo_move_to(cr, x - len / 2, y);
        cairo_line_to(cr, x + len / 2, y);
        set_colour(cr, look.sun, dice(0.12, 0.3));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void ruins(cairo_t* cr, const Look& look) {
    const Rgb stone = mix(look.mid_hills, hex(0x8d8a7e), 0.45);
    const Rgb stone_dark = mix(stone, black, 0.35);
    auto column = [&](double x, double ground, double height, double width, double broken) {
        cairo_move_to(cr, x - width / 2, ground);
        cairo_line_to(cr, x - width / 2, ground - height);
        cairo_line_to(cr, x - width * 0.1, ground - height - broken);
        cairo_line_to(cr, x + width * 0.2, ground - height + broken * 0.4);
        cairo_line_to(cr, x + width / 2, ground - height - broken * 0.6);
        cairo_line_to(cr, x + width / 2, ground);
        cairo_close_path(cr);
        const Pattern p = linear(x - width / 2, 0, x + width / 2, 0, {{0.0, stone}, {0.6, stone}, {1.0, stone_dark}});
        cairo_set_source(cr, p.get());
        cairo_fill(cr);
        rounded_rect(cr, x - width * 0.65, ground - 14, width * 1.3, 14, 2);
        set_colour(cr, stone_dark);
        cairo_fill(cr);
    };
    // A broken arch on the far ridge at the left, columns standing at the right.
    const double ground = 420;
    column(150, ground, 190, 34, 10);
    column(290, ground, 120, 34, 18);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 220, ground - 190, 70, kPi, kPi * 1.55);
    cairo_arc_negative(cr, 220, ground - 190, 40, kPi * 1.6, kPi);
    cairo_close_path(cr);
    set_colour(cr, stone);
    cairo_fill(cr);
    column(780, ground + 10, 150, 30, 14);
    column(860, ground + 10, 210, 30, 8);
    column(935, ground + 10, 90, 30, 20);
    rounded_rect(cr, 740, ground - 4, 230, 16, 3);
    set_colour(cr, stone_dark);
    cairo_fill(cr);
    // Ivy on the stones.
    Dice dice(77);
    for (int i = 0; i < 40; ++i) {
        const double x = i < 20 ? dice(130, 310) : dice(760, 950);
        const double y = dice(ground - 180, ground);
        leaf(cr, x, y, dice(6, 12), dice(3, 6), dice(0, 2 * kPi), look.foliage, look.foliage_dark, 0.85);
    }
}

const Look kLooks[] = {
    // Forest: deep greens under a pale morning sky.
    {hex(0x34506a), hex(0xa9b993), hex(0xfff1c4), hex(0x5d7a72), hex(0x36584a), hex(0x22402f), hex(0x3f7a55), hex(0x173528), 760, 170},
    // Hills: rolling green under a warm afternoon.
    {hex(0x3b5f86), hex(0xd9c79a), hex(0xffe7b0), hex(0x7b8f86), hex(0x4f7a4f), hex(0x2f5535), hex(0x5b8a4a), hex(0x1f3d24), 260, 200},
    // River: dusk blues, a silver river.
    {hex(0x1d2c47), hex(0x8a8aa2), hex(0xf2d7b0), hex(0x4a5a74), hex(0x2f4a52), hex(0x1f3530), hex(0x355f4a), hex(0x132a22), 520, 250},
    // Ruins: amber evening over grey stone.
    {hex(0x2c3550), hex(0xc99f74), hex(0xffd49a), hex(0x6f6a72), hex(0x4a5546), hex(0x2c3a2c), hex(0x4b6e3f), hex(0x1a2d1c), 640, 230},
};

}  // namespace

Canvas table_background(const Context&, Scene scene) {
    const int index = static_cast<int>(scene);
    const Look& look = kLooks[index];
    const auto seed = static_cast<std::uint32_t>(index * 17 + 3);
    Canvas canvas(kWidth, kHeight, PngKind::Rgb);
    cairo_t* cr = canvas.cr();

    sky(cr, look);
    fill_ridge(cr, 330, 40, seed, mix(look.far_hills, look.sky_horizon, 0.35), look.far_hills);
    if (scene == Scene::Ruins) ruins(cr, look);
    fill_ridge(cr, 440, 34, seed + 1, look.mid_hills, mix(look.mid_hills, look.near_ground, 0.6));

    Dice dice(seed + 2);
    if (scene == Scene::Forest) {
        // Rows of small firs on the ridges, lighter with distance.
        for (int row = 0; row < 2; ++row) {
            for (int i = 0; i < 40; ++i) {
                const double x = dice(-20, kWidth + 20);
                const double ground = ridge(x, row == 0 ? 330 : 440, row == 0 ? 40 : 34, seed + row) + 6;
                const Rgb c = row == 0 ? mix(look.far_hills, look.foliage_dark, 0.35) : mix(look.mid_hills, look.foliage_dark, 0.5);
                conifer(cr, x, ground, dice(40, 70) * (row + 1), c);
            }
        }
    } else if (scene == Scene::Hills) {
        fill_ridge(cr, 520, 26, seed + 5, mix(look.mid_hills, look.foliage, 0.4), look.near_ground);
        for (int i = 0; i < 12; ++i) {
            const double x = dice(0, kWidth);
            broadleaf(cr, x, ridge(x, 440, 34, seed + 1) + 8, dice(50, 90), look.foliage_dark, look.foliage, seed + 20 + i);
        }
    } else if (scene == Scene::River) {
        river(cr, look, 440);
    } else {
        for (int i = 0; i < 8; ++i) {
            const double x = dice(0, kWidth);
            broadleaf(cr, x, ridge(x, 440, 34, seed + 1) + 8, dice(40, 70), look.foliage_dark, look.foliage, seed + 30 + i);
        }
    }

    calm_veil(cr, mix(look.mid_hills, look.far_hills, 0.5));
    framing_trees(cr, look, seed + 9);
    light_rays(cr, look);
    vignette(cr, 0, 0, kWidth, kHeight, 0.55);
    return canvas;
}

}  // namespace gfxgen
