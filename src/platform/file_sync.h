#pragma once
#include <cstdio>

// Flushes a file's buffers and waits until the OS has its bytes on disk, so that a file
// announced as complete is complete even after a crash of the machine.
bool SyncToDisk(std::FILE* file);
