// kalvor-convert: converts one model to an exchange report from the command
// line, with the same readiness rules, messages and safety as the window.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_window.h"
#include "command/convert_command.h"
#include "formats/input_formats.h"
#include "job_details_sources.h"
#include "platform/files.h"
#include "quillan/text.h"
#include "report/report_reader.h"
#include "stop_signals.h"

namespace {

namespace fs = std::filesystem;
using kalvor::cli::CliWindow;
using kalvor::cli::DetailValues;
namespace control = kalvor::control;

constexpr int kExitConversionFailed = 1;
constexpr int kExitUsage = 2;

// A usage error: the message has been printed, the program exits with 2.
struct UsageError {
  std::string message;
};

struct Arguments {
  std::string format = "auto";
  std::string input, positional_input, output;
  std::string layout_barrier, dialog_file, job_file;
  DetailValues options;  // job details given as options
  bool quiet = false, verbose = false, help = false, version = false;
};

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
      defaults += "                        (default \"" + std::string(f.default_coordinate) +
                  "\" for " + std::string(f.cli_name) + ")\n";
  return "Usage: kalvor-convert [-f FORMAT] [-o REPORT] [OPTION...] [--] INPUT\n"
         "       kalvor-convert [-f FORMAT] -i INPUT [OPTION...]\n"
         "\n"
         "Converts a road-traffic-noise model to an exchange report.\n"
         "\n"
         "  -f, --format FORMAT   auto (the default), " +
         kalvor::format_names(", ", " or ") +
         ";\n"
         "                        auto picks it from the input's name or content\n"
         "  -i, --input INPUT     the input, or give it as the last argument\n"
         "                        (RoadNoise: master file; TNIA: workbook;\n"
         "                        SoundPLAN: a file of the project folder, or the folder)\n"
         "  -o, --output REPORT   the exchange report to write; - for standard output\n"
         "                        (default: INPUT's stem + \"-report.txt\" beside it)\n"
         "  -q, --quiet           no progress line\n"
         "  -v, --verbose         print each phase with the time it took\n"
         "      --consultant TEXT name of consultant\n"
         "      --phone TEXT      telephone number\n"
         "      --fax TEXT        fax number\n"
         "      --email TEXT      e-mail address\n"
         "      --coordinate TEXT coordinate system\n" +
         defaults +
         "      --year TEXT       year of traffic flow\n"
         "      --job-file FILE   job details as \"key = value\" lines (INI or TOML),\n"
         "                        keys named like the options above\n"
         "      --layout-barrier FILE\n"
         "                        layout-barrier file (" +
         names_where(layout_barriers, ", ") +
         " only)\n"
         "      --dialog-file FILE\n"
         "                        file whose date and time go into the header\n"
         "                        (default: the input)\n"
         "  -h, --help            this text\n"
         "      --version         the version\n"
         "\n"
         "The job details come from the options, else from the environment\n"
         "(KALVOR_CONSULTANT, KALVOR_PHONE, KALVOR_FAX, KALVOR_EMAIL,\n"
         "KALVOR_COORDINATE, KALVOR_YEAR), else from the job file.\n"
         "\n"
         "Examples, with the job details in job.ini:\n"
         "  kalvor-convert --job-file job.ini -f hfanoise model.dat \\\n"
         "      --layout-barrier model_laybarr.txt -o model-report.txt\n"
         "  kalvor-convert --job-file job.ini -f hfcnoise tai_po_road.txt\n"
         "  kalvor-convert --job-file job.ini -f soundplan project/STRA.001\n"
         "  kalvor-convert --job-file job.ini -f roadnoise SHATIN.MAS -o - | less\n"
         "  kalvor-convert --job-file job.ini -f tnia workbook.xlsx --year 2036\n"
         "\n"
         "Exit status: 0 converted, 1 the conversion failed, 2 usage error,\n"
         "129/130/143 stopped by SIGHUP/SIGINT/SIGTERM.\n";
}

int report_usage_error(const std::string& message) {
  std::fprintf(stderr, "kalvor-convert: %s\nTry 'kalvor-convert --help'.\n", message.c_str());
  return kExitUsage;
}

Arguments parse(int argc, char** argv) {
  Arguments args;
  CLI::App app("kalvor-convert");
  app.set_help_flag();
  app.add_flag("-h,--help", args.help);
  app.add_flag("--version", args.version);
  app.add_option("-f,--format", args.format);
  app.add_option("-i,--input", args.input);
  app.add_option("INPUT", args.positional_input);
  app.add_option("-o,--output", args.output);
  app.add_flag("-q,--quiet", args.quiet);
  app.add_flag("-v,--verbose", args.verbose);
  for (const auto& detail : kalvor::cli::job_details())
    app.add_option("--" + std::string(detail.key), args.options[std::string(detail.key)]);
  app.add_option("--job-file", args.job_file);
  app.add_option("--layout-barrier", args.layout_barrier);
  app.add_option("--dialog-file", args.dialog_file);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    throw UsageError{e.what()};
  }
  for (const auto& detail : kalvor::cli::job_details())
    if (app.count("--" + std::string(detail.key)) == 0) args.options.erase(std::string(detail.key));
  return args;
}

std::string absolute(const std::string& path) {
  if (quillan::trim(path).empty()) return path;
  return fs::absolute(path).lexically_normal().string();
}

// The input named by -i or as the argument.
std::string input_of(const Arguments& args) {
  if (!args.input.empty() && !args.positional_input.empty())
    throw UsageError{"give the input either with --input or as the last argument, not both"};
  std::string input = args.input.empty() ? args.positional_input : args.input;
  if (quillan::trim(input).empty()) throw UsageError{"missing input"};
  return input;
}

const kalvor::InputFormat& format_of(const Arguments& args, const std::string& input) {
  const std::string names = kalvor::format_names(", ", " or ");
  if (args.format != "auto") {
    const kalvor::InputFormat* format = kalvor::format_named(args.format);
    if (format == nullptr)
      throw UsageError{"unknown format '" + args.format + "' (auto, " + names + ")"};
    return *format;
  }
  std::error_code ec;
  if (!fs::exists(input, ec))
    throw UsageError{input + " does not exist, so its format cannot be told; give --format " +
                     names};
  const kalvor::InputFormat* format = kalvor::format_of_file(input);
  if (format == nullptr)
    throw UsageError{"cannot tell the format of " + input + "; give --format " + names};
  return *format;
}

// "<input stem>-report.txt" beside the input; a folder's stem is its name.
std::string default_output(const std::string& input) {
  fs::path path = fs::path(input).lexically_normal();
  if (path.filename().empty()) path = path.parent_path();
  std::error_code ec;
  const std::string stem =
      fs::is_directory(path, ec) ? path.filename().string() : path.stem().string();
  return (path.parent_path() / (stem + "-report.txt")).string();
}

std::string output_of(const Arguments& args, const std::string& input) {
  if (args.output == "-") return "/dev/stdout";
  if (args.output.empty()) return default_output(input);
  return args.output;
}

CliWindow::Mode display_mode(const Arguments& args) {
  if (args.quiet) return CliWindow::Mode::Quiet;
  if (args.verbose) return CliWindow::Mode::Phases;
  return isatty(STDERR_FILENO) ? CliWindow::Mode::ProgressLine : CliWindow::Mode::Quiet;
}

void warn_of_characters_lost(const DetailValues& details) {
  std::string lost;
  for (const auto& [key, value] : details) {
    const std::string outside = kalvor::platform::characters_outside_windows1252(value);
    for (std::size_t i = 0; i < outside.size();) {
      // Whole UTF-8 characters, each once.
      std::size_t length = 1;
      while (i + length < outside.size() && (outside[i + length] & 0xC0) == 0x80) ++length;
      const std::string character = outside.substr(i, length);
      if (lost.find(character) == std::string::npos) lost += character;
      i += length;
    }
  }
  if (!lost.empty())
    std::fprintf(stderr,
                 "kalvor-convert: warning: the report cannot hold the characters \"%s\" of the "
                 "job details; they will be written as '?'\n",
                 lost.c_str());
}

// Reads the report just written back and prints its one-line summary; a
// report that does not read back is said so.
void print_summary(const std::string& report) {
  const std::string name = fs::path(report).filename().string();
  try {
    std::fprintf(stderr, "kalvor-convert: %s\n",
                 kalvor::report::summary_line(name, kalvor::report::read_report(report)).c_str());
  } catch (const kalvor::report::ReportError& e) {
    std::fprintf(stderr, "kalvor-convert: warning: %s does not read back as a report: %s\n",
                 name.c_str(), e.what());
  }
}

int convert(const Arguments& args) {
  const DetailValues from_job_file =
      args.job_file.empty() ? DetailValues() : kalvor::cli::read_job_file(args.job_file);
  const std::string input = input_of(args);
  const kalvor::InputFormat& format = format_of(args, input);
  if (!args.layout_barrier.empty() && !format.layout_barriers)
    throw UsageError{"--layout-barrier applies to --format " +
                     names_where([](const auto& f) { return f.layout_barriers; }, ", ") + " only"};
  const DetailValues details = kalvor::cli::resolve_job_details(
      args.options, from_job_file, std::string(format.default_coordinate));
  warn_of_characters_lost(details);

  CliWindow window(display_mode(args));
  kalvor::ConvertCommand command(window);
  window.set_text(control::InputPath, absolute(input));
  window.set_text(control::OutputPath, absolute(output_of(args, input)));
  for (const auto& detail : kalvor::cli::job_details())
    window.set_text(detail.control,
                    kalvor::platform::utf8_to_windows1252(details.at(std::string(detail.key))));
  window.select(format.option);
  if (!args.layout_barrier.empty()) {
    window.set_check_value(control::LayoutBarrierSwitch, 1);
    window.set_text(control::LayoutBarrierFile, absolute(args.layout_barrier));
  }
  window.set_text(control::DialogFileName,
                  absolute(args.dialog_file.empty() ? input : args.dialog_file));
  if (!command.ready()) throw UsageError{"the job details are incomplete"};
  kalvor::cli::stop_on_signals();
  if (args.verbose)
    std::fprintf(stderr, "kalvor-convert: %s as %s to %s\n", input.c_str(),
                 std::string(format.caption).c_str(),
                 args.output == "-" ? "standard output" : window.text(control::OutputPath).c_str());

  const kalvor::ConversionOutcome outcome = command.cmdConvert2KALVOR_Click();
  window.finish_progress();
  if (outcome.succeeded && args.output != "-" && display_mode(args) != CliWindow::Mode::Quiet &&
      fs::is_regular_file(window.text(control::OutputPath)))
    print_summary(window.text(control::OutputPath));
  if (int signal = kalvor::cli::stop_signal(); signal != 0) return 128 + signal;
  return outcome.succeeded ? 0 : kExitConversionFailed;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Arguments args = parse(argc, argv);
    if (args.help) {
      std::fputs(usage().c_str(), stdout);
      return 0;
    }
    if (args.version) {
      std::printf("kalvor-convert %s\n",
                  kalvor::compose_window_title(kalvor::program_version()).c_str());
      return 0;
    }
    return convert(args);
  } catch (const UsageError& e) {
    return report_usage_error(e.message);
  } catch (const kalvor::cli::JobDetailsError& e) {
    return report_usage_error(e.what());
  }
}
