#pragma once

// Runs one whole analysis on a fresh run state; returns 0 when the run went to its end,
// 1 when it stopped with a message in the report.
int RunEngine(int argument);
