// The state of one SoundPLAN conversion, built at its entry.
#pragma once

#include "soundplan/soundplan_lib.h"

namespace kalvor {

// The record counters belong to the translation of the project and are kept
// there; a run holds only the job it reports to.
struct SoundPlan_Lib::Run {
  JobDetails& job;
};

}  // namespace kalvor
