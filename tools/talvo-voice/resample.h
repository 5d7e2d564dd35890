#pragma once
// Sample-rate conversion with libsamplerate's band-limited sinc converter (medium quality:
// far beyond what a telephone line carries, and quick).
#include <span>
#include <vector>

// `samples` at `from` samples per second, converted to `to`. Throws ToolError when the two
// rates are too far apart for the converter.
std::vector<float> Resample(std::span<const float> samples, int from, int to);
