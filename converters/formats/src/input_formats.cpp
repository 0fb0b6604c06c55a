#include "formats/input_formats.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "hfa/hfa_lib.h"
#include "hfc/hfc_lib.h"
#include "roadnoise/roadnoise_lib.h"
#include "soundplan/soundplan_lib.h"
#include "tnia/tnia_lib.h"

namespace kalvor {

namespace {

// A converter object whose entry operation is `Entry`: the one adapter from
// a module's Convert_From_X to the Converter interface.
template <class Module, void (Module::*Entry)(JobDetails&)>
class EntryOperation : public Converter {
 public:
  void convert(JobDetails& job) override { (module_.*Entry)(job); }

 private:
  Module module_;
};

template <class Module, void (Module::*Entry)(JobDetails&)>
std::unique_ptr<Converter> make() {
  return std::make_unique<EntryOperation<Module, Entry>>();
}

constexpr std::array<std::string_view, 1> kRoadNoiseExtensions = {".mas"};
constexpr std::array<std::string_view, 2> kTniaExtensions = {".xls", ".xlsx"};
constexpr std::array<std::string_view, 4> kSoundPlanPrefixes = {"STRA.", "BEUG.", "REFL.", "IMIS."};

// The rows; the option buttons, the dispatch and the tests follow this order.
const InputFormat kFormats[] = {
    {"optHFA",
     "hfanoise",
     "HFANoise",
     "Input file:",
     "Data files(*.dat)|*.dat",
     "",
     true,
     {},
     {},
     nullptr,
     make<HFA_Lib, &HFA_Lib::Convert_From_HFANoise>},
    {"optHFC",
     "hfcnoise",
     "HFCNoise",
     "Input file:",
     "Text files(*.txt)|*.txt",
     "HK1980 Grid",
     false,
     {},
     {},
     nullptr,
     make<HFC_Lib, &HFC_Lib::Convert_From_HFCNoise>},
    {"optSP",
     "soundplan",
     "SoundPLAN",
     "Input file:",
     "All files(*.*)|*.*",
     "",
     false,
     {},
     kSoundPlanPrefixes,
     nullptr,
     make<SoundPlan_Lib, &SoundPlan_Lib::Convert_From_SoundPlan>},
    {"optRN",
     "roadnoise",
     "RoadNoise",
     "Master file:",
     "Master files(*.mas)|*.mas",
     "",
     false,
     kRoadNoiseExtensions,
     {},
     nullptr,
     make<RoadNoise_Lib, &RoadNoise_Lib::Convert_From_RoadNoise>},
    {"optExcel",
     "tnia",
     "TNIA v2.0",
     "MS Excel file:",
     "MS Excel files(*.xls)|*.xls",
     "",
     false,
     kTniaExtensions,
     {},
     nullptr,
     make<TNIA_Lib, &TNIA_Lib::Convert_From_TNIA>},
};

std::string lower_case(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool name_matches(const InputFormat& format, const std::string& name) {
  const std::string lower = lower_case(name);
  auto has_extension = [&](std::string_view e) { return lower.ends_with(lower_case(e)); };
  auto has_prefix = [&](std::string_view p) { return lower.starts_with(lower_case(p)); };
  return std::ranges::any_of(format.extensions, has_extension) ||
         std::ranges::any_of(format.name_prefixes, has_prefix);
}

}  // namespace

std::span<const InputFormat> input_formats() {
  return kFormats;
}

const InputFormat* format_of_option(std::string_view option) {
  for (const auto& format : kFormats)
    if (format.option == option) return &format;
  return nullptr;
}

const InputFormat* format_named(std::string_view cli_name) {
  for (const auto& format : kFormats)
    if (format.cli_name == cli_name) return &format;
  return nullptr;
}

const InputFormat* format_of_file(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  for (const auto& format : kFormats)
    if (name_matches(format, name)) return &format;
  for (const auto& format : kFormats)
    if (format.recognises_content != nullptr && format.recognises_content(file)) return &format;
  return nullptr;
}

std::string format_names(std::string_view separator, std::string_view last_separator) {
  std::string names;
  const std::size_t count = std::size(kFormats);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) names += i + 1 == count ? last_separator : separator;
    names += kFormats[i].cli_name;
  }
  return names;
}

}  // namespace kalvor
