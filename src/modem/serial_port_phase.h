#pragma once
#include "core/endings.h"
#include "core/job_context.h"

// Opens the port COMn named by the job identifier and sets its line speed by modem type.
// A port that cannot be selected or opened takes the busy ending ("$F$").
void OpenSerialPort(JobContext& ctx, Endings& endings);
