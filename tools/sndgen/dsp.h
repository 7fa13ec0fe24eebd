// Small DSP kit for the sound recipes: oscillators, envelopes, filters, noise, reverb.
// Everything is mono float at kRate; recipes build channels from these pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sndgen {

inline constexpr int kRate = 44100;

using Samples = std::vector<float>;

// Planar channels of equal length (one for effects, two for music).
struct Audio {
    std::vector<Samples> channels;
};

std::size_t samples_for(double seconds);
double seconds_at(std::size_t index);

// White noise in [-1, 1) from a fixed seed, so every build makes the same file.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 1) {}
    float white();

private:
    std::uint32_t state_;
};

// Sine from a phase accumulator; the frequency may change per sample without jumps.
class Oscillator {
public:
    explicit Oscillator(double frequency, double phase = 0) : step_(frequency / kRate), phase_(phase) {}
    void set_frequency(double frequency) { step_ = frequency / kRate; }
    float sine();

private:
    double step_;
    double phase_;  // in cycles
};

// Attack, decay to the sustain level, release after `hold` seconds; all times in seconds.
// The attack is a raised cosine (no corner at the start), decay and release are exponential
// with the given time constants.
struct Adsr {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.0;
    double release = 0.05;
    double at(double t, double hold) const;
};

// Raised-cosine rise from 0 to 1 over `length` seconds.
double smooth_rise(double t, double length);

// One-pole smoothing filter; the high-pass is the input minus the low-pass.
class OnePole {
public:
    static OnePole lowpass(double cutoff);
    static OnePole highpass(double cutoff);
    float process(float x);

private:
    OnePole(double a, bool high) : a_(a), high_(high) {}
    double a_;
    bool high_;
    double y_ = 0;
};

// Second-order filter (the usual cookbook shapes), transposed direct form II.
// set_* may be called while running, for sweeps.
class Biquad {
public:
    static Biquad lowpass(double frequency, double q);
    static Biquad highpass(double frequency, double q);
    static Biquad bandpass(double frequency, double q);  // 0 dB at the centre
    static Biquad peak(double frequency, double q, double gain_db);
    void set_lowpass(double frequency, double q);
    void set_highpass(double frequency, double q);
    void set_bandpass(double frequency, double q);
    void set_peak(double frequency, double q, double gain_db);
    float process(float x);

private:
    Biquad() = default;
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

// A small room: parallel damped combs into series all-passes. `size` 0..1 sets the decay,
// `damping` 0..1 darkens the tail, `wet` is the tail's level against the dry signal.
class Reverb {
public:
    Reverb(double size, double damping, double wet);
    // Returns dry + tail; the output is as long as the input (pad the input for a longer tail).
    Samples process(const Samples& dry);

private:
    struct Comb {
        explicit Comb(std::size_t length) : line(length, 0.0f) {}
        std::vector<float> line;
        std::size_t at = 0;
        float store = 0;
    };
    struct AllPass {
        explicit AllPass(std::size_t length) : line(length, 0.0f) {}
        std::vector<float> line;
        std::size_t at = 0;
    };
    std::vector<Comb> combs_;
    std::vector<AllPass> allpasses_;
    float feedback_;
    float damping_;
    float wet_;
};

// Adds src * gain into dst starting at sample `at`; dst grows when needed.
void mix_into(Samples& dst, const Samples& src, std::size_t at, float gain = 1.0f);

// Raised-cosine fades over the first and last seconds, so files start and end at silence.
void fade_edges(Samples& s, double fade_in, double fade_out);

float peak(const Samples& s);
double to_dbfs(double level);
// Scales all channels together so the loudest sample sits at `peak_dbfs`.
void normalise(Audio& audio, double peak_dbfs);

}  // namespace sndgen
