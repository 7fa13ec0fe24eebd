// The sounds sndgen synthesises: each recipe returns finished, normalised audio.
#pragma once

#include "dsp.h"

#include <span>

namespace sndgen {

using Recipe = Audio (*)();

struct Entry {
    const char* path;  // relative to the installation folder
    Recipe make;
};

// Every sound, in the order they are made.
std::span<const Entry> sounds();

// effects.cpp
Audio card_move();
Audio good_chime();

}  // namespace sndgen
