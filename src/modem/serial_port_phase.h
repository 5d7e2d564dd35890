#pragma once
#include "job/endings.h"
#include "job/job_context.h"

// Opens the port COMn named by the job identifier and sets its line speed by modem type.
// A port that cannot be selected or opened takes the busy ending ("$F$").
void OpenSerialPort(JobContext& ctx, Endings& endings);
