#pragma once
// The modem's answer to "AT+VSM=?": one line per compression method,
// `<number>,"<name>",<bits>,<timing>,<rates>,...`, with or without a leading "+VSM: ". The
// rates are a value list ("(7200,8000)", "8000", "7200-8000"). Numbers clash between vendors
// (128 is 8-bit linear on one modem and signed PCM on another), so only the name says which
// coding a method is.
#include <string>
#include <vector>

#include "modem/value_ranges.h"

struct CompressionMethod {
  int number;
  std::string name;
  int bits;  // a sample's bits; 0 when the listing does not say
  std::vector<ValueRange> rates;
};

// The methods among `lines`; lines of another form are left out.
std::vector<CompressionMethod> ParseCompressionListing(const std::vector<std::string>& lines);
