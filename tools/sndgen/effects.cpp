// Short effects: soft, organic, quick to fade.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sndgen {

namespace {

Audio mono(Samples s) { return Audio{{std::move(s)}}; }

}  // namespace

// A card sliding off the pile: a breath of band-passed noise whose centre rises as the
// card picks up speed, then a faint soft tap as it lands.
Audio card_move() {
    constexpr double length = 0.12;
    constexpr double sweep = 0.08;  // the slide
    constexpr double land_at = 0.072;
    const std::size_t n = samples_for(length);

    Noise noise(0x5eed0c4du);
    Samples s(n);
    Biquad slide = Biquad::bandpass(1400, 0.8);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = seconds_at(i);
        if (i % 32 == 0) {
            const double k = std::min(t / sweep, 1.0);
            slide.set_bandpass(1400 * std::pow(4200.0 / 1400.0, k), 0.8);
        }
        const double envelope = smooth_rise(t, 0.012) * std::exp(-std::max(0.0, t - 0.012) / 0.028);
        s[i] = static_cast<float>(slide.process(noise.white()) * envelope);
    }

    Samples tap(samples_for(0.03));
    Biquad body = Biquad::lowpass(900, 0.7);
    for (std::size_t i = 0; i < tap.size(); ++i) {
        const double t = seconds_at(i);
        const double envelope = smooth_rise(t, 0.002) * std::exp(-t / 0.007);
        tap[i] = static_cast<float>(body.process(noise.white()) * envelope);
    }
    mix_into(s, tap, samples_for(land_at), 0.55f);
    s.resize(n);

    // Take off the hiss at the top and any rumble, for a soft paper sound.
    OnePole air = OnePole::lowpass(7000);
    OnePole rumble = OnePole::highpass(120);
    for (float& x : s) x = rumble.process(air.process(x));
    fade_edges(s, 0.001, 0.015);

    Audio audio = mono(std::move(s));
    normalise(audio, -5.0);
    return audio;
}

// A small bright chime for a good play: two struck notes a fifth apart, each a stack of
// harmonic partials where the upper ones fade first, in a little room.
Audio good_chime() {
    constexpr double length = 0.6;
    const std::size_t n = samples_for(length);

    struct Note {
        double start, frequency, gain;
    };
    constexpr Note notes[] = {{0.0, 880.0, 0.75}, {0.06, 1318.51, 1.0}};
    constexpr int partials = 5;

    Samples s(n, 0.0f);
    for (const Note& note : notes) {
        const std::size_t first = samples_for(note.start);
        for (int p = 1; p <= partials; ++p) {
            // A hair of stretch keeps it metallic without losing the harmonic colour.
            Oscillator osc(note.frequency * p * (1 + 0.0006 * p), 0.0);
            const double amplitude = note.gain / std::pow(p, 1.4);
            const double decay = 0.2 / std::pow(p, 0.8);
            for (std::size_t i = first; i < n; ++i) {
                const double t = seconds_at(i - first);
                const double envelope = smooth_rise(t, 0.003) * std::exp(-t / decay);
                s[i] += static_cast<float>(osc.sine() * amplitude * envelope);
            }
        }
    }

    Reverb room(0.35, 0.5, 0.22);
    s = room.process(s);
    OnePole rumble = OnePole::highpass(80);
    for (float& x : s) x = rumble.process(x);
    fade_edges(s, 0.001, 0.08);

    Audio audio = mono(std::move(s));
    normalise(audio, -3.0);
    return audio;
}

}  // namespace sndgen
