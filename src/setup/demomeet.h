#pragma once

#include "data/meet.h"

namespace quilvarden::setup {

// A meet as a Galician inter-club league would run it: forty events in running order,
// women's and men's events in turn, relays among them, and twelve clubs.
data::MeetProgramme demoMeet();

} // namespace quilvarden::setup
