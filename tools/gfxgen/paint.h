// Shared drawing kit for the picture recipes: the game's palette, shapes,
// gradients, soft shadows, gold borders, ornaments, suit pips and text.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace gfxgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb hex(std::uint32_t rgb) {
    return {static_cast<double>((rgb >> 16) & 0xff) / 255.0, static_cast<double>((rgb >> 8) & 0xff) / 255.0,
            static_cast<double>(rgb & 0xff) / 255.0};
}

// Mixes a toward b by t (0 = a, 1 = b).
constexpr Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// One look for the whole game: greens and blues behind, cream in front, gold for magic,
// ember and ink for suits and text.
namespace palette {
inline constexpr Rgb forest_deep = hex(0x173528);
inline constexpr Rgb forest = hex(0x2a5a41);
inline constexpr Rgb forest_light = hex(0x3f7a55);
inline constexpr Rgb dusk_deep = hex(0x162338);
inline constexpr Rgb dusk = hex(0x25405f);
inline constexpr Rgb dusk_light = hex(0x3b5f86);
inline constexpr Rgb parchment = hex(0xe8d8b0);
inline constexpr Rgb cream = hex(0xfaf4e3);
inline constexpr Rgb cream_shade = hex(0xefe2c2);
inline constexpr Rgb card_edge = hex(0xa8946a);
inline constexpr Rgb gold_light = hex(0xf7e39a);
inline constexpr Rgb gold = hex(0xd4a745);
inline constexpr Rgb gold_dark = hex(0x8e671d);
inline constexpr Rgb ember = hex(0xb5302a);
inline constexpr Rgb ember_dark = hex(0x74191a);
inline constexpr Rgb ink = hex(0x1f1d1b);
inline constexpr Rgb white = hex(0xffffff);
inline constexpr Rgb black = hex(0x000000);
}  // namespace palette

void set_colour(cairo_t* cr, Rgb colour, double alpha = 1.0);

// Gradients --------------------------------------------------------------------------

struct Stop {
    double offset;
    Rgb colour;
    double alpha = 1.0;
};

struct PatternDeleter {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using Pattern = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

Pattern linear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);
// Circular gradient around (cx, cy) from radius r0 to r1.
Pattern radial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops);

// Metallic gold: light and dark bands along the line (x0, y0) -> (x1, y1).
Pattern gold_pattern(double x0, double y0, double x1, double y1);

// Shapes -----------------------------------------------------------------------------

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);

// Strokes the current path in metallic gold, the gradient spanning the given box.
void gold_stroke(cairo_t* cr, double x, double y, double w, double h, double line_width);

// A thin gold frame on a rounded rectangle whose stroke lies inside (x, y, w, h).
void gold_border(cairo_t* cr, double x, double y, double w, double h, double r, double line_width);

// Darkens toward the edges of the current clip region inside (x, y, w, h).
void vignette(cairo_t* cr, double x, double y, double w, double h, double strength);

// Soft shadow of whatever `shape` fills, offset by (dx, dy) device pixels and blurred.
// `shape` builds a path on the context it is given (the current transform is applied).
void soft_shadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                 int blur_radius, Rgb colour, double alpha);

// Ornaments --------------------------------------------------------------------------

// Pointed leaf from its base (x, y) toward `angle` (radians, 0 = right, -pi/2 = up).
void leaf_path(cairo_t* cr, double x, double y, double length, double width, double angle);
// Filled leaf with a thin mid vein.
void leaf(cairo_t* cr, double x, double y, double length, double width, double angle, Rgb fill,
          Rgb vein, double alpha = 1.0);

// A small family of our own angular rune marks, drawn as strokes.
enum class Rune { Algiz, Ingwaz, Othala, Dagaz, Sowilo };
// Builds the rune's path centred on (cx, cy), `height` tall; the caller strokes it.
void rune_path(cairo_t* cr, Rune rune, double cx, double cy, double height);

// Suits ------------------------------------------------------------------------------

enum class Suit { Hearts, Diamonds, Clubs, Spades };

Rgb suit_colour(Suit suit);
// Path of a pip centred on (cx, cy), `size` tall; the caller fills it.
void suit_path(cairo_t* cr, Suit suit, double cx, double cy, double size);
// A filled pip in its suit colour, with a faint darker rim so it stays crisp on cream.
void pip(cairo_t* cr, Suit suit, double cx, double cy, double size);

// Text -------------------------------------------------------------------------------

// The game's one typeface, loaded from its TrueType file for Cairo.
class Typeface {
public:
    explicit Typeface(const std::string& ttf_file);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    cairo_font_face_t* face() const { return face_; }

private:
    cairo_font_face_t* face_ = nullptr;
};

enum class Align { Left, Centre, Right };

// Builds the path of `text` with its baseline at y; x is the left edge, the ink centre
// or the right edge of the inked glyphs depending on `align`. The caller fills or strokes it.
void text_path(cairo_t* cr, const Typeface& typeface, double size, const std::string& text, double x,
               double baseline, Align align);

}  // namespace gfxgen
