// Barriers and receivers become links of the intermediate file like road
// segments; the description column tells them apart: "Z" and a number for
// absorbing barriers, "SP_Ref"/"SP_Abs" for reflecting objects, "SP_Rec" for
// receivers.
#include <cmath>
#include <string>

#include "intermediate_lines.h"
#include "keyword_line.h"
#include "project_file.h"
#include "quillan/text.h"
#include "soundplan/soundplan_lib.h"

namespace kalvor {

using soundplan::column;
using soundplan::FieldReader;

namespace {

// The degree sign in the single-byte character set of the files.
constexpr const char* kDegreeSign = "\xB0";

// No building has more storeys. A larger count comes from a damaged record;
// taken as it is, one 70-byte record would write tens of thousands of nodes.
// (A count of 0 or less writes no storey.)
constexpr int kMaxStoreys = 999;

int storey_count(FieldReader& in) {
  const int storeys = in.int16();
  if (storeys > kMaxStoreys)
    throw ConversionError("a receiver with " + std::to_string(storeys) +
                          " storeys; the file is damaged");
  return storeys;
}

struct Point3 {
  double x = 0, y = 0, z = 0;
  bool operator==(const Point3&) const = default;
};

Point3 read_point(FieldReader& in) {
  Point3 p;
  p.x = in.real();
  p.y = in.real();
  p.z = in.real();
  return p;
}

std::string barrier_link_line(quillan::Varnik& lib, long link, long a_node, long b_node,
                              const std::string& description, double angle,
                              const std::string& label) {
  return soundplan::link_head(lib, link, a_node, b_node, "- ", description) + "    " +
         column(lib, 4, 0, "Soft") + "   " + column(lib, 4, 0, "Soft") + "  " +
         column(lib, 6, 2, angle) + kDegreeSign + soundplan::label_tail(45, label);
}

// The bearing of a view direction in whole degrees, 0 to 359:
// ((360 - r mod 360) mod 360 + 180) mod 360 with r rounded halves to even.
double view(double direction) {
  const double r = quillan::round_half_even(direction, 0);
  return std::fmod(std::fmod(360 - std::fmod(r, 360), 360) + 180, 360);
}

}  // namespace

void SoundPlan_Lib::SP2HFA_Barrier(soundplan::ProjectFile& IFile, int OLinkFileID, int ONodeFileID,
                                   long& NumOfLinks, long& NumOfNodes,
                                   const std::string& BarrType) {
  const bool absorbing = quillan::to_upper(BarrType) == "BEUG";
  const long first_node = NumOfNodes;
  long previous_node = NumOfNodes;
  std::string label;
  Point3 previous_end;
  auto write_node = [&](const Point3& p, double h) {
    ++NumOfNodes;
    lib_.PrintLine(ONodeFileID, soundplan::node_line(lib_, NumOfNodes, p.x, p.y, p.z, h), true);
  };
  auto write_link = [&](const std::string& description, double angle) {
    ++NumOfLinks;
    lib_.PrintLine(
        OLinkFileID,
        barrier_link_line(lib_, NumOfLinks, previous_node, NumOfNodes, description, angle, label),
        true);
  };

  // Absorbing barriers: every point a node, neighbouring points a link.
  auto absorbing_point = [&](FieldReader& in) {
    const Point3 p = read_point(in);
    const double h = in.real();
    const double slope = in.real();
    const double number = in.real();
    write_node(p, h);
    if (previous_node != first_node) {
      write_link("Z" + quillan::number_to_text(number), std::atan(slope) * 180 / lib_.GetPIValue());
    }
    previous_node = NumOfNodes;
  };

  // Reflecting objects: one segment per record; a segment that starts where
  // the previous one of the file ended shares its node.
  auto reflecting_segment = [&](FieldReader& in) {
    const Point3 first = read_point(in);
    const Point3 second = read_point(in);
    const double h = in.real();
    const double reflection = in.real();
    if (NumOfNodes == first_node || !(first == previous_end)) write_node(first, h);
    previous_node = NumOfNodes;
    write_node(second, h);
    write_link(reflection <= 1.0 ? "SP_Ref" : "SP_Abs", 0);
    previous_end = second;
  };

  translate_records(IFile, [&](const soundplan::Record& record) {
    FieldReader in(record.content);
    if (record.type == 'K') {
      label = soundplan::single_line(in.counted_text());
    } else if (record.type == 'D') {
      absorbing ? absorbing_point(in) : reflecting_segment(in);
    }
  });
}

void SoundPlan_Lib::SP2HFA_Receiver(soundplan::ProjectFile& IFile, int OLinkFileID, int ONodeFileID,
                                    long& NumOfLinks, long& NumOfNodes) {
  double storey_height = 0;

  auto keyword_line = [&](FieldReader& in) {
    const auto fields = soundplan::keyword_fields(lib_, in.counted_text());
    if (fields.empty() || quillan::to_upper(quillan::trim(fields[0])) != "\\SH") return;
    storey_height = fields.size() > 1 ? quillan::leading_number(fields[1]) : 0.0;
  };

  // One node and one "SP_Rec" link per storey.
  auto receiver = [&](FieldReader& in) {
    in.skip(1);
    const std::string name = quillan::trim(soundplan::single_line(in.chars(15)));
    const Point3 p = read_point(in);
    const int storeys = storey_count(in);
    in.skip(2);
    const double v1 = in.real();
    const double v2 = in.real();
    in.skip(8);
    for (int k = 0; k < storeys; ++k) {
      ++NumOfNodes;
      lib_.PrintLine(ONodeFileID,
                     soundplan::node_line(lib_, NumOfNodes, p.x, p.y, p.z + k * storey_height, 0),
                     true);
      ++NumOfLinks;
      lib_.PrintLine(OLinkFileID,
                     soundplan::link_head(lib_, NumOfLinks, NumOfNodes, "- ", "- ", "SP_Rec") +
                         "  " + column(lib_, 6, 2, view(v2)) + " " + column(lib_, 6, 2, view(v1)) +
                         std::string(37, ' ') + column(lib_, 4, 0, "Yes") + "     " +
                         column(lib_, 4, 0, "Yes") + "    " + name,
                     true);
    }
  };

  translate_records(IFile, [&](const soundplan::Record& record) {
    FieldReader in(record.content);
    if (record.type == 'S') {
      keyword_line(in);
    } else if (record.type == 'D') {
      receiver(in);
    }
  });
}

}  // namespace kalvor
