#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sndgen {

namespace {
constexpr double kTau = 2 * std::numbers::pi;
}

std::size_t samples_for(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kRate)); }

double seconds_at(std::size_t index) { return static_cast<double>(index) / kRate; }

float Noise::white() {
    // xorshift32: tiny, fast and the same everywhere.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<double>(state_) / 2147483648.0 - 1.0);
}

float Oscillator::sine() {
    const double value = std::sin(kTau * phase_);
    phase_ += step_;
    phase_ -= std::floor(phase_);
    return static_cast<float>(value);
}

double smooth_rise(double t, double length) {
    if (t <= 0) return 0;
    if (t >= length) return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

double Adsr::at(double t, double hold) const {
    auto held = [this](double u) {
        if (u < attack) return smooth_rise(u, attack);
        return sustain + (1 - sustain) * std::exp(-(u - attack) / decay);
    };
    if (t < 0) return 0;
    if (t < hold) return held(t);
    return held(hold) * std::exp(-(t - hold) / release);
}

OnePole OnePole::lowpass(double cutoff) { return OnePole(1 - std::exp(-kTau * cutoff / kRate), false); }

OnePole OnePole::highpass(double cutoff) { return OnePole(1 - std::exp(-kTau * cutoff / kRate), true); }

float OnePole::process(float x) {
    y_ += a_ * (x - y_);
    return static_cast<float>(high_ ? x - y_ : y_);
}

Biquad Biquad::lowpass(double frequency, double q) {
    Biquad f;
    f.set_lowpass(frequency, q);
    return f;
}

Biquad Biquad::highpass(double frequency, double q) {
    Biquad f;
    f.set_highpass(frequency, q);
    return f;
}

Biquad Biquad::bandpass(double frequency, double q) {
    Biquad f;
    f.set_bandpass(frequency, q);
    return f;
}

Biquad Biquad::peak(double frequency, double q, double gain_db) {
    Biquad f;
    f.set_peak(frequency, q, gain_db);
    return f;
}

void Biquad::set_lowpass(double frequency, double q) {
    const double w = kTau * frequency / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::set_highpass(double frequency, double q) {
    const double w = kTau * frequency / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::set_bandpass(double frequency, double q) {
    const double w = kTau * frequency / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::set_peak(double frequency, double q, double gain_db) {
    const double w = kTau * frequency / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    const double a = std::pow(10.0, gain_db / 40);
    set(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

void Biquad::set(double b0, double b1, double b2, double a0, double a1, double a2) {
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = a1 / a0;
    a2_ = a2 / a0;
}

float Biquad::process(float x) {
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return static_cast<float>(y);
}

Reverb::Reverb(double size, double damping, double wet)
    : feedback_(static_cast<float>(0.7 + 0.28 * std::clamp(size, 0.0, 1.0))),
      damping_(static_cast<float>(std::clamp(damping, 0.0, 1.0) * 0.4)),
      wet_(static_cast<float>(wet)) {
    // Mutually prime lengths (in samples) so the echoes do not pile up into a pitch.
    for (const std::size_t length : {1117u, 1187u, 1279u, 1361u, 1423u, 1493u}) {
        combs_.emplace_back(length);
    }
    for (const std::size_t length : {557u, 443u, 227u}) allpasses_.emplace_back(length);
}

Samples Reverb::process(const Samples& dry) {
    Samples out(dry.size());
    const float comb_gain = 1.0f / static_cast<float>(combs_.size());
    for (std::size_t i = 0; i < dry.size(); ++i) {
        const float in = dry[i];
        float sum = 0;
        for (Comb& c : combs_) {
            const float delayed = c.line[c.at];
            c.store = delayed * (1 - damping_) + c.store * damping_;
            c.line[c.at] = in + c.store * feedback_;
            c.at = (c.at + 1) % c.line.size();
            sum += delayed;
        }
        float tail = sum * comb_gain;
        for (AllPass& a : allpasses_) {
            const float delayed = a.line[a.at];
            const float fed = tail + delayed * 0.5f;
            a.line[a.at] = fed;
            a.at = (a.at + 1) % a.line.size();
            tail = delayed - fed * 0.5f;
        }
        out[i] = in + tail * wet_;
    }
    return out;
}

void mix_into(Samples& dst, const Samples& src, std::size_t at, float gain) {
    if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
    for (std::size_t i = 0; i < src.size(); ++i) dst[at + i] += src[i] * gain;
}

void fade_edges(Samples& s, double fade_in, double fade_out) {
    const std::size_t n = s.size();
    const std::size_t in = std::min(n, samples_for(fade_in));
    const std::size_t out = std::min(n, samples_for(fade_out));
    for (std::size_t i = 0; i < in; ++i) {
        s[i] *= static_cast<float>(smooth_rise(static_cast<double>(i), static_cast<double>(in)));
    }
    for (std::size_t i = 0; i < out; ++i) {
        // The last sample lands exactly on zero.
        s[n - 1 - i] *= static_cast<float>(smooth_rise(static_cast<double>(i), static_cast<double>(out)));
    }
}

float peak(const Samples& s) {
    float p = 0;
    for (const float x : s) p = std::max(p, std::fabs(x));
    return p;
}

double to_dbfs(double level) { return level > 0 ? 20 * std::log10(level) : -200.0; }

void normalise(Audio& audio, double peak_dbfs) {
    float p = 0;
    for (const Samples& c : audio.channels) p = std::max(p, peak(c));
    if (p <= 0) return;
    const float gain = static_cast<float>(std::pow(10.0, peak_dbfs / 20) / p);
    for (Samples& c : audio.channels) {
        for (float& x : c) x *= gain;
    }
}

}  // namespace sndgen
