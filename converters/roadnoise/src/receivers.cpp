// Receivers: the receiver file (.REC).
#include <algorithm>
#include <cmath>

#include "quillan/text.h"
#include "roadnoise/roadnoise_lib.h"
#include "roadnoise_run.h"

namespace kalvor {

using reading::LineReader;
using roadnoise::contains;
using roadnoise::KeywordValue;

namespace roadnoise {

struct ReceiverRecord {
  KeywordValue z{"HRA"}, h{"HRG"}, x{"OPX"}, y{"OPY"};
  KeywordValue bearing_left{"AN1"}, bearing_right{"AN2"};
  KeywordValue facade{"REF"}, step{"HPF"}, stacked{"RPT"};

  // Takes the values a line holds; true when it holds a position (OPX or OPY).
  bool take(const std::string& line, long n) {
    z.take(line, n);
    h.take(line, n);
    bool position = x.take(line, n);
    position = y.take(line, n) || position;
    for (KeywordValue* value : {&bearing_left, &bearing_right, &facade, &step, &stacked})
      value->take(line, n);
    return position;
  }
};

}  // namespace roadnoise

namespace {

// More receivers than this stacked above one point is taken for bad input
// rather than a building.
constexpr double kMaxStackedReceivers = 999;

std::string first_20_trimmed(const std::string& name) {
  return quillan::trim(name.substr(0, 20));
}

}  // namespace

// A receiver is written when the "TEXT" or "RETN" line that follows its
// position is read (marks A, B, C). A position still unwritten at the end of
// the file would be lost, so the file must close it.
void RoadNoise_Lib::RoadNoise_Print_NSRs(LineReader& in, report::Writer& out) {
  roadnoise::ReceiverRecord record;
  std::string name, receiver_id;
  bool a = true, b = false, c = false, first = true;
  bool previous_closed = false;
  out.receiver_table_headings();
  run_->line_counter = 0;
  while (!in.at_end()) {
    std::string line = in.next_line();
    const bool name_follows = contains(line, "TEXT");
    if (name_follows) {
      line = in.next(roadnoise::kNameLine);
      name = line;
      if (first) receiver_id = name;
      b = true;
    }
    if (name_follows || previous_closed) a = true;
    const bool closes = contains(line, "RETN");
    if (closes) a = b = true;
    if (record.take(line, in.line_number())) {
      c = true;
      a = false;
    }
    if (a && b && c) {
      write_receiver(record, receiver_id, in.file(), out);
      if (record.stacked.number(in.file()) >= 0) record.stacked.set("0");
      receiver_id = name;
      a = b = c = false;
      first = true;
    } else if (!a) {
      first = false;
    }
    previous_closed = closes;
  }
  if (c)
    throw ConversionError(reading::line_message(
        in.file(), std::max(record.x.line(), record.y.line()),
        "the receiver placed here is never closed: the file ends before the \"RETN\" or "
        "\"TEXT\" line that follows every receiver"));
}

// One row, or RPT + 1 rows stacked HPF apart; nothing for a negative RPT.
void RoadNoise_Lib::write_receiver(const roadnoise::ReceiverRecord& r,
                                   const std::string& receiver_id, const std::string& file,
                                   report::Writer& out) {
  const double stacked = r.stacked.number(file);
  if (stacked < 0) return;
  if (stacked > kMaxStackedReceivers) {
    throw ConversionError(reading::line_message(file, r.stacked.line(),
                                                "receiver \"" + receiver_id + "\" has RPT " +
                                                    r.stacked.text() + ", expected at most " +
                                                    quillan::number_to_text(kMaxStackedReceivers)));
  }
  report::ReceiverRow row;
  row.x = r.x.number_text(file);
  row.y = r.y.number_text(file);
  row.bearing_left = r.bearing_left.number_text(file);
  row.bearing_right = r.bearing_right.number_text(file);
  row.facade = report::yes_no(r.facade.number(file) == 1);
  const std::string name = first_20_trimmed(receiver_id);
  if (stacked == 0) {
    row.number = ++run_->line_counter;
    row.name = name;
    row.z = r.z.number_text(file);
    row.h = r.h.number_text(file);
    out.receiver_with_full_name(row);
    return;
  }
  const long top = static_cast<long>(quillan::round_half_even(stacked, 0));
  const double z = r.z.number(file), h = r.h.number(file), step = r.step.number(file);
  for (long i = 0; i <= top; ++i) {
    row.number = ++run_->line_counter;
    row.name = name + "-" + std::to_string(i + 1);
    row.z = z + i * step;
    row.h = h + i * step;
    out.receiver_with_full_name(row);
  }
}

}  // namespace kalvor
