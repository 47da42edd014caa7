// A long session of the real Korvel.exe: what it holds after start-up and
// after many name changes, paints, About windows, tool starts and Recent
// Dialogs.
#pragma once

#include <vector>

#include "bench_support.h"
#include "harness.h"

namespace korvel::bench {

// Runs the session in `installation` (the stand-in installed as LORIM.exe and
// ending at once) and adds its rows to `figures`; prints each step's figures.
void run_soak(const e2e::Installation& installation, std::vector<Figure>& figures);

}  // namespace korvel::bench
