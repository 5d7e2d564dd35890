#pragma once
// Voice files hold the modem's voice data exactly as it came, ended by DLE ETX; no header.
// Inside the data the modem shields a data byte 16 as DLE DLE, so a search for a DLE sequence
// takes a DLE DLE pair as one data byte.
#include <cstddef>
#include <string>

#include "job/job_context.h"

// Returns the 1-based position of the DLE of the first unshielded DLE ETX in `buffer` (of
// LGR_BUF_VOICE bytes). Without one, writes DLE ETX after the last byte that is not NUL first.
std::size_t FindVoiceEnd(std::string& buffer);

// Reads the job's message "talvin_" + JobId into VoiceBuffer (VoiceLen counts it with its DLE
// ETX) and deletes the file, so the job's result can take its name.
void LoadMessageFile(JobContext& ctx);

// Reads the prompt named by PromptFile into PromptBuffer (PromptLen counts it without its
// DLE ETX). A missing prompt is created empty and plays as nothing.
void LoadVoiceFile(JobContext& ctx);
