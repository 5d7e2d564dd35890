#pragma once
// libsndfile's handle, closed when it goes.
#include <sndfile.h>

#include <memory>

struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;
