// The plan geometry of a parsed exchange report: every link segment and every
// receiver placed in the report's own coordinates (X east, Y north, metres),
// with what the drawing needs to know about the link it belongs to.
#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "report/report_reader.h"

namespace kalvor::plan {

// A text of the report, which is single-byte, as shown on screen.
inline QString shown(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

enum class LinkKind { Road, ElevatedRoad, ReflectiveBarrier, AbsorptiveBarrier };

struct PlanLink {
  LinkKind kind = LinkKind::Road;
  bool generated = false;  // a layout barrier generated along a road
  bool one_way = false;    // drawn with an arrow in the order of its segments
  // Index into the report's roads (for road kinds) or barriers.
  std::size_t record = 0;
  std::size_t first_segment = 0, segment_count = 0;

  bool is_road() const { return kind == LinkKind::Road || kind == LinkKind::ElevatedRoad; }
};

struct PlanSegment {
  QLineF line;
  double width = 0;  // road width in metres; 0 when not given
  std::size_t link = 0;
};

struct PlanReceiver {
  QPointF at;
  std::size_t record = 0;
};

class PlanModel {
 public:
  explicit PlanModel(report::ParsedReport report);

  const report::ParsedReport& report() const { return report_; }
  const std::vector<PlanLink>& links() const { return links_; }
  const std::vector<PlanSegment>& segments() const { return segments_; }
  const std::vector<PlanReceiver>& receivers() const { return receivers_; }
  // Everything placed; an empty rectangle when nothing is.
  QRectF bounds() const { return bounds_; }
  // Segments and receivers left out because a coordinate is not a number.
  std::size_t unplaced() const { return unplaced_; }

  // The link whose segment passes nearest to `at`, within `tolerance` metres.
  std::optional<std::size_t> link_near(QPointF at, double tolerance) const;
  // The receiver nearest to `at`, within `tolerance` metres.
  std::optional<std::size_t> receiver_near(QPointF at, double tolerance) const;

  // The report lines of a link's record and of a receiver's row.
  report::LineSpan link_lines(std::size_t link) const;
  report::LineSpan receiver_lines(std::size_t receiver) const;

 private:
  void add_road(std::size_t record);
  void add_barrier(std::size_t record);
  template <typename Segments>
  void add_segments(PlanLink link, const Segments& segments);
  void include(QPointF point);

  report::ParsedReport report_;
  std::vector<PlanLink> links_;
  std::vector<PlanSegment> segments_;
  std::vector<PlanReceiver> receivers_;
  QRectF bounds_;
  bool has_bounds_ = false;
  std::size_t unplaced_ = 0;
};

}  // namespace kalvor::plan
