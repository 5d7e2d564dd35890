#pragma once
// The G.711 A-law encoder, for 16-bit samples. libsndfile's encoder picks the neighbouring code
// for some samples; this one gives the code that the standard assigns to every 16-bit value.
#include <cstdint>
#include <span>
#include <string>

std::string EncodeAlaw(std::span<const std::int16_t> samples);
