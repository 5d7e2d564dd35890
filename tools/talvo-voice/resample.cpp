#include "resample.h"

#include <samplerate.h>

#include <cmath>
#include <string>

#include "tool_error.h"

std::vector<float> Resample(std::span<const float> samples, int from, int to) {
  if (from == to || samples.empty()) return {samples.begin(), samples.end()};
  const double ratio = static_cast<double>(to) / from;
  if (!src_is_valid_ratio(ratio)) {
    throw ToolError("cannot convert " + std::to_string(from) + " Hz to " + std::to_string(to) +
                    " Hz: the rates are too far apart");
  }
  // Room for the converter's rounding at the end.
  std::vector<float> out(static_cast<std::size_t>(std::ceil(samples.size() * ratio)) + 16);
  SRC_DATA data{};
  data.data_in = samples.data();
  data.input_frames = static_cast<long>(samples.size());
  data.data_out = out.data();
  data.output_frames = static_cast<long>(out.size());
  data.end_of_input = 1;
  data.src_ratio = ratio;
  if (const int error = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1)) {
    throw ToolError(std::string("resampling failed: ") + src_strerror(error));
  }
  out.resize(static_cast<std::size_t>(data.output_frames_gen));
  return out;
}
