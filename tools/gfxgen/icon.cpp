// The window icon: two cards fanned, the back behind and the queen in front.

#include "recipes.h"

#include <cmath>

namespace gfxgen {

namespace {

// Paints a finished card picture into the icon, scaled and turned about its centre.
void place(cairo_t* cr, const Canvas& card, double cx, double cy, double scale, double degrees) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, degrees * M_PI / 180.0);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -card.width() / 2.0, -card.height() / 2.0);
    cairo_set_source_surface(cr, card.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace

Canvas app_icon(const Context& context) {
    Canvas icon(64, 64);
    cairo_t* cr = icon.cr();
    const Canvas back = card_back(context, kBackDuskForest);
    const Canvas face = court_face(context, "Q", Suit::Hearts, Emblem::Crown);
    place(cr, back, 25, 33, 0.40, -14);
    place(cr, face, 39, 32, 0.42, 10);
    return icon;
}

}  // namespace gfxgen
