#pragma once
// The sizes of talvo's voice buffers, which the voice-file converter respects too: a message
// plays only as far as its first LGR_BUF_VOICE bytes.
#include <cstddef>

inline constexpr std::size_t LGR_BUF_VOICE = 190000;  // bytes held by each voice buffer
inline constexpr std::size_t LGR_ECR_VOICE = 2048;    // voice bytes handed over per write
