// Points a converter at the state of the conversion in progress.
//
// Every converter keeps its per-run state in a private `Run` that its entry
// operation builds on the stack. While the conversion runs, the converter's
// `run_` pointer names that state; when the conversion ends, however it
// ends, the pointer is cleared, so nothing carries over into the next run.
#pragma once

namespace kalvor {

template <typename Run>
class ActiveRun {
 public:
  ActiveRun(Run*& slot, Run& run) : slot_(slot) { slot_ = &run; }
  ~ActiveRun() { slot_ = nullptr; }
  ActiveRun(const ActiveRun&) = delete;
  ActiveRun& operator=(const ActiveRun&) = delete;

 private:
  Run*& slot_;
};

}  // namespace kalvor
