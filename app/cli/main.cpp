// kalvor-convert: converts one model to an exchange report from the command
// line, with the same readiness rules, messages and safety as the window.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli_window.h"
#include "command/convert_command.h"
#include "formats/input_formats.h"
#include "platform/files.h"
#include "quillan/text.h"

namespace {

using kalvor::cli::CliWindow;
namespace control = kalvor::control;

constexpr int kExitConversionFailed = 1;
constexpr int kExitUsage = 2;

// The --format names of the formats for which `applies` holds, joined by
// `separator`.
template <class Predicate>
std::string names_where(Predicate applies, std::string_view separator) {
  std::string names;
  for (const auto& format : kalvor::input_formats())
    if (applies(format))
      names += (names.empty() ? "" : std::string(separator)) + std::string(format.cli_name);
  return names;
}

std::string usage() {
  auto layout_barriers = [](const kalvor::InputFormat& f) { return f.layout_barriers; };
  std::string defaults;
  for (const auto& f : kalvor::input_formats())
    if (!f.default_coordinate.empty())
      defaults += "  --coordinate       defaults to \"" + std::string(f.default_coordinate) +
                  "\" for " + std::string(f.cli_name) + "\n";
  return "Usage: kalvor-convert --format FMT --input PATH --output PATH\n"
         "                      --consultant TEXT --phone TEXT --fax TEXT --email TEXT\n"
         "                      --coordinate TEXT --year TEXT\n"
         "                      [--layout-barrier PATH] [--dialog-file PATH] [--quiet]\n"
         "FMT: " +
         kalvor::format_names(" | ", " | ") +
         "\n"
         "\n"
         "Converts a road-traffic-noise model to an exchange report.\n"
         "  --input            input file (RoadNoise: master file; TNIA: workbook;\n"
         "                     SoundPLAN: any file of the project folder)\n"
         "  --output           the exchange report to write\n"
         "  --layout-barrier   layout-barrier file (" +
         names_where(layout_barriers, ", ") +
         " only)\n"
         "  --dialog-file      file whose date and time go into the header\n"
         "                     (default: the input file)\n" +
         defaults +
         "  --quiet            no progress line\n"
         "  --help, --version\n"
         "Exit status: 0 converted, 1 the conversion failed, 2 usage error.\n";
}

// The job details in the order they are asked for, with the control that
// holds each.
struct Detail {
  const char* flag;
  std::string_view control;
  bool is_path;
};

constexpr Detail kDetails[] = {{"--input", control::InputPath, true},
                               {"--output", control::OutputPath, true},
                               {"--consultant", control::Consultant, false},
                               {"--phone", control::Phone, false},
                               {"--fax", control::Fax, false},
                               {"--email", control::Email, false},
                               {"--coordinate", control::Coordinate, false},
                               {"--year", control::YearTrafficFlow, false}};

struct Arguments {
  std::map<std::string, std::string> values;
  bool quiet = false;
};

int usage_error(const std::string& message) {
  std::fprintf(stderr, "kalvor-convert: %s\nTry 'kalvor-convert --help'.\n", message.c_str());
  return kExitUsage;
}

bool takes_value(const std::string& flag) {
  for (const auto& d : kDetails)
    if (flag == d.flag) return true;
  return flag == "--format" || flag == "--layout-barrier" || flag == "--dialog-file";
}

// Parses "--flag value" and "--flag=value"; returns an error message or "".
std::string parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--quiet") {
      args.quiet = true;
      continue;
    }
    std::string flag = arg, value;
    bool inline_value = false;
    if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      flag = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      inline_value = true;
    }
    if (!takes_value(flag)) return "unknown argument '" + arg + "'";
    if (!inline_value) {
      if (i + 1 >= argc) return "'" + flag + "' needs a value";
      value = argv[++i];
    }
    if (args.values.count(flag)) return "'" + flag + "' is given twice";
    args.values[flag] = value;
  }
  return "";
}

std::string absolute(const std::string& path) {
  if (quillan::trim(path).empty()) return path;
  return std::filesystem::absolute(path).lexically_normal().string();
}

int convert(const Arguments& args, const kalvor::InputFormat& format) {
  CliWindow window(!args.quiet && isatty(STDERR_FILENO));
  kalvor::ConvertCommand command(window);
  for (const auto& d : kDetails) {
    std::string value = args.values.count(d.flag) ? args.values.at(d.flag) : "";
    window.set_text(d.control,
                    d.is_path ? absolute(value) : kalvor::platform::utf8_to_windows1252(value));
  }
  window.select(format.option);
  if (args.values.count("--layout-barrier")) {
    window.set_check_value(control::LayoutBarrierSwitch, 1);
    window.set_text(control::LayoutBarrierFile, absolute(args.values.at("--layout-barrier")));
  }
  std::string dialog = args.values.count("--dialog-file") ? args.values.at("--dialog-file")
                                                          : args.values.at("--input");
  window.set_text(control::DialogFileName, absolute(dialog));

  if (!command.ready()) return usage_error("the job details are incomplete");
  const kalvor::ConversionOutcome outcome = command.cmdConvert2KALVOR_Click();
  window.finish_progress();
  return outcome.succeeded ? 0 : kExitConversionFailed;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(usage().c_str(), stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("kalvor-convert %s\n",
                  kalvor::compose_window_title(kalvor::program_version()).c_str());
      return 0;
    }
  }
  Arguments args;
  if (std::string error = parse(argc, argv, args); !error.empty()) return usage_error(error);

  const std::string names = "(" + kalvor::format_names(", ", " or ") + ")";
  if (!args.values.count("--format")) return usage_error("missing --format " + names);
  const kalvor::InputFormat* format = kalvor::format_named(args.values["--format"]);
  if (format == nullptr)
    return usage_error("unknown format '" + args.values["--format"] + "' " + names);
  if (!format->default_coordinate.empty() && !args.values.count("--coordinate"))
    args.values["--coordinate"] = std::string(format->default_coordinate);
  if (args.values.count("--layout-barrier") && !format->layout_barriers)
    return usage_error("--layout-barrier applies to --format " +
                       names_where([](const auto& f) { return f.layout_barriers; }, ", ") +
                       " only");

  std::vector<std::string> missing;
  for (const auto& d : kDetails)
    if (!args.values.count(d.flag) || quillan::trim(args.values[d.flag]).empty())
      missing.push_back(d.flag);
  if (args.values.count("--layout-barrier") &&
      quillan::trim(args.values["--layout-barrier"]).empty())
    missing.push_back("--layout-barrier");
  if (!missing.empty()) {
    std::string list;
    for (const auto& m : missing) list += (list.empty() ? "" : ", ") + m;
    return usage_error("missing or blank job details: " + list);
  }
  return convert(args, *format);
}
