// kalvor-convert: converts one model to an exchange report from the command
// line, with the same readiness rules, messages and safety as the window.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli_window.h"
#include "command/convert_command.h"
#include "platform/files.h"
#include "quillan/text.h"

namespace {

using kalvor::cli::CliWindow;
namespace control = kalvor::control;
namespace option = kalvor::option;

constexpr int kExitConversionFailed = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "Usage: kalvor-convert --format FMT --input PATH --output PATH\n"
    "                      --consultant TEXT --phone TEXT --fax TEXT --email TEXT\n"
    "                      --coordinate TEXT --year TEXT\n"
    "                      [--layout-barrier PATH] [--dialog-file PATH] [--quiet]\n"
    "FMT: hfanoise | hfcnoise | soundplan | roadnoise | tnia\n"
    "\n"
    "Converts a road-traffic-noise model to an exchange report.\n"
    "  --input            input file (RoadNoise: master file; TNIA: workbook;\n"
    "                     SoundPLAN: any file of the project folder)\n"
    "  --output           the exchange report to write\n"
    "  --layout-barrier   layout-barrier file (hfanoise only)\n"
    "  --dialog-file      file whose date and time go into the header\n"
    "                     (default: the input file)\n"
    "  --coordinate       defaults to \"HK1980 Grid\" for hfcnoise\n"
    "  --quiet            no progress line\n"
    "  --help, --version\n"
    "Exit status: 0 converted, 1 the conversion failed, 2 usage error.\n";

struct Format {
  const char* name;
  std::string_view option;
};

constexpr Format kFormats[] = {{"hfanoise", option::HFA},
                               {"hfcnoise", option::HFC},
                               {"soundplan", option::SoundPlan},
                               {"roadnoise", option::RoadNoise},
                               {"tnia", option::Tnia}};

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

std::optional<Format> format_named(const std::string& name) {
  for (const auto& f : kFormats)
    if (name == f.name) return f;
  return std::nullopt;
}

int convert(const Arguments& args, const Format& format) {
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

  command.CheckConvertReady();
  if (!window.enabled("cmdConvert2KALVOR")) return usage_error("the job details are incomplete");
  command.cmdConvert2KALVOR_Click();
  window.finish_progress();
  return command.last_conversion_succeeded() ? 0 : kExitConversionFailed;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
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

  if (!args.values.count("--format"))
    return usage_error("missing --format (hfanoise, hfcnoise, soundplan, roadnoise or tnia)");
  auto format = format_named(args.values["--format"]);
  if (!format)
    return usage_error("unknown format '" + args.values["--format"] +
                       "' (hfanoise, hfcnoise, soundplan, roadnoise or tnia)");
  if (format->option == option::HFC && !args.values.count("--coordinate"))
    args.values["--coordinate"] = "HK1980 Grid";
  if (args.values.count("--layout-barrier") && format->option != option::HFA)
    return usage_error("--layout-barrier applies to --format hfanoise only");

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
