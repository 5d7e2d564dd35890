#pragma once
#include <cstdio>
#include <memory>
#include <string>

#include "host.h"

// Opens `name` with the C library in `mode`; nullptr when it cannot be opened.
std::unique_ptr<TextFile> OpenStdioTextFile(const std::string& name, const char* mode);
