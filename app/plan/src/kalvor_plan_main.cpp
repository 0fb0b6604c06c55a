// kalvor-plan: draws the plan of an exchange report to an SVG or PNG file,
// without a display.
#include <QGuiApplication>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

#include "plan/plan_model.h"
#include "plan/plan_renderer.h"
#include "report/report_reader.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr QSize kDefaultSize(1600, 1200);

const char* const kUsage =
    "Usage: kalvor-plan REPORT -o PLAN.svg|PLAN.png [--size WxH]\n"
    "\n"
    "Draws the plan of an exchange report: roads, barriers and receivers in\n"
    "the report's coordinates, with a scale bar, a north arrow and a legend.\n"
    "  -o, --output   the drawing to write; its suffix (.svg or .png) chooses the kind\n"
    "  --size WxH     size of the drawing in pixels (default 1600x1200)\n"
    "  --help\n"
    "Exit status: 0 drawn, 1 the report could not be read or the drawing written,\n"
    "2 usage error.\n";

struct Arguments {
  std::string report, output;
  QSize size = kDefaultSize;
};

int usage_error(const std::string& message) {
  std::fprintf(stderr, "kalvor-plan: %s\n%s", message.c_str(), kUsage);
  return kExitUsage;
}

std::optional<QSize> size_of(const std::string& text) {
  static const QRegularExpression form("^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$");
  const QRegularExpressionMatch match = form.match(QString::fromStdString(text));
  if (!match.hasMatch()) return std::nullopt;
  return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

// The arguments, or the exit status of a usage error or of --help.
std::variant<Arguments, int> parse_arguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if ((arg == "-o" || arg == "--output") && has_value) {
      args.output = argv[++i];
    } else if (arg == "--size" && has_value) {
      std::optional<QSize> size = size_of(argv[++i]);
      if (!size) return usage_error("--size wants WIDTHxHEIGHT in pixels, e.g. 1600x1200");
      args.size = *size;
    } else if (arg.starts_with("-") || !args.report.empty()) {
      return usage_error("unexpected argument: " + arg);
    } else {
      args.report = arg;
    }
  }
  if (args.report.empty()) return usage_error("no report named");
  if (args.output.empty()) return usage_error("no output named (-o PLAN.svg or PLAN.png)");
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs no display: fonts and painting work on the offscreen
  // platform, whatever platform the environment asks for.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::variant<Arguments, int> parsed = parse_arguments(argc, argv);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Arguments& args = std::get<Arguments>(parsed);

  QGuiApplication app(argc, argv);
  try {
    const kalvor::plan::PlanModel model(kalvor::report::read_report(args.report));
    const QString error =
        kalvor::plan::export_plan(model, QString::fromStdString(args.output), args.size);
    if (!error.isEmpty()) {
      std::fprintf(stderr, "kalvor-plan: %s\n", error.toLocal8Bit().constData());
      return kExitFailed;
    }
  } catch (const kalvor::report::ReportError& e) {
    std::fprintf(stderr, "kalvor-plan: %s: %s\n", args.report.c_str(), e.what());
    return kExitFailed;
  }
  return 0;
}
