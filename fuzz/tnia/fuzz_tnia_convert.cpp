// Arbitrary bytes as the workbook of a whole TNIA conversion: it either
// writes a report or ends with a ConversionError or a library error.
#include <cstdint>
#include <map>

#include "fuzz_scratch.h"
#include "quillan/error.h"
#include "quillan/varnik.h"
#include "tnia/tnia_lib.h"

namespace {

class Job final : public kalvor::JobDetails {
 public:
  explicit Job(const std::string& workbook) {
    texts_[std::string(kalvor::control::InputPath)] = workbook;
    texts_[std::string(kalvor::control::DialogFileName)] = workbook;
    texts_[std::string(kalvor::control::OutputPath)] =
        (kalvor::fuzz::scratch_dir() / "report.txt").string();
  }
  std::string text(std::string_view control) const override {
    const auto found = texts_.find(std::string(control));
    return found == texts_.end() ? "x" : found->second;
  }
  void set_text(std::string_view control, const std::string& value) override {
    texts_[std::string(control)] = value;
  }
  int check_value(std::string_view) const override { return 0; }
  void set_check_value(std::string_view, int) override {}
  bool enabled(std::string_view) const override { return true; }
  void set_enabled(std::string_view, bool) override {}
  float progress() const override { return progress_; }
  void set_progress(float value) override { progress_ = value; }
  void refresh() override {}
  void process_events() override {}
  kalvor::MessageResult message_box(const std::string&, kalvor::MessageIcon, kalvor::MessageButtons,
                                    const std::string&) override {
    return kalvor::MessageResult::Ok;
  }

 private:
  std::map<std::string, std::string> texts_;
  float progress_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kalvor::TNIA_Lib converter;
  Job job(kalvor::fuzz::write_input(data, size));
  try {
    converter.Convert_From_TNIA(job);
  } catch (const kalvor::ConversionError&) {
  } catch (const quillan::Error&) {
  }
  quillan::Varnik().close_ALL_file_handler();
  return 0;
}
