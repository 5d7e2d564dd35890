#pragma once
// Rockwell ADPCM, the coding that the voice modems of the `#` command set record and play at
// 7200 samples a second, with 2, 3 or 4 bits a sample. No audio library has it.
//
// How it works: an adaptive predictor (two poles, six zeros, all in 16-bit fixed point) guesses
// each sample from the ones before; the code quantizes the difference between the sample and
// the guess with a step size that grows after large codes and shrinks after small ones. The
// encoder runs the decoder's own predictor, so both stay in step sample for sample. Encoding
// also pre-emphasizes (adds 0.4 of the previous input to the guess); decoding takes it back out.
//
// Codes are packed least significant bit first, crossing byte boundaries for 3 bits. In a
// recording, the modem may replace a stretch of silence by its silence word (one 16-bit
// little-endian word per bit width) and a count; the decoder expands it. The encoder writes no
// silence word on purpose, but its codes can spell one by chance (seen in white noise, not in
// speech), and a decoder then reads silence there.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// `samples` as `bits` (2, 3 or 4) bit codes; the last byte is padded with zero bits.
std::string EncodeRockwell(std::span<const std::int16_t> samples, int bits);

// The samples of `bytes` of `bits` (2, 3 or 4) bit codes; bits left over at the end that make
// no whole code are dropped.
std::vector<std::int16_t> DecodeRockwell(std::string_view bytes, int bits);
