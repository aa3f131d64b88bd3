#pragma once
#include <cstdint>
#include <random>

namespace stepwise {

// The program's one pseudo-random sequence.
class RandomSource {
public:
    void seed(double seed);
    // Uniform in [0, 1): 24 random bits, so the result is exact in single precision and never 1.
    float next();

private:
    std::mt19937 engine_{0};
};

}  // namespace stepwise
