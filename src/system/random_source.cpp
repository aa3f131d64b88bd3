#include "system/random_source.h"

#include <cmath>

namespace stepwise {

void RandomSource::seed(double seed) {
    // The seed is a time of day in seconds; keep its fraction so two starts in one second differ.
    engine_.seed(static_cast<std::uint32_t>(std::fmod(std::fabs(seed) * 1000.0, 4294967296.0)));
}

float RandomSource::next() { return static_cast<float>(engine_() >> 8) / 16777216.0f; }

}  // namespace stepwise
