// The record loop of every converter. A converter translates its records
// with one operation per record kind that translates the next record and
// answers whether there was one; this loop calls it until the end, lets the
// job process its events after each record (so the window stays live and a
// Cancel is seen) and then lets the caller move the progress bar.
#pragma once

#include "job/job_details.h"

namespace kalvor::reading {

// Calls `translate_next()` until it returns false; after each record,
// processes the job's events and calls `after_record(records_so_far)`.
// Returns the number of records translated.
template <typename TranslateNext, typename AfterRecord>
long for_each_record(JobDetails& job, TranslateNext translate_next, AfterRecord after_record) {
  long records = 0;
  while (translate_next()) {
    job.process_events();
    ++records;
    after_record(records);
  }
  return records;
}

}  // namespace kalvor::reading
