#include "plan/plan_model.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "quillan/text.h"

namespace kalvor::plan {

namespace {

using report::number;

std::optional<QPointF> point_of(const std::string& x, const std::string& y) {
  std::optional<double> px = number(x), py = number(y);
  if (!px || !py) return std::nullopt;
  return QPointF(*px, *py);
}

bool is_yes(const std::string& value) {
  return quillan::to_upper(value) == "YES";
}

// Distance from `p` to the segment `line`.
double distance_to(const QLineF& line, QPointF p) {
  const QPointF d = line.p2() - line.p1();
  const double length2 = d.x() * d.x() + d.y() * d.y();
  double t = 0;
  if (length2 > 0) {
    t = ((p.x() - line.x1()) * d.x() + (p.y() - line.y1()) * d.y()) / length2;
    t = std::clamp(t, 0.0, 1.0);
  }
  const QPointF nearest = line.p1() + t * d;
  return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

}  // namespace

PlanModel::PlanModel(report::ParsedReport report) : report_(std::move(report)) {
  for (std::size_t i = 0; i < report_.roads.size(); ++i) add_road(i);
  for (std::size_t i = 0; i < report_.barriers.size(); ++i) add_barrier(i);
  for (std::size_t i = 0; i < report_.receivers.size(); ++i) {
    const report::ReceiverRecord& r = report_.receivers[i];
    std::optional<QPointF> at = point_of(r.x, r.y);
    if (!at) {
      ++unplaced_;
      continue;
    }
    receivers_.push_back({*at, i});
    include(*at);
  }
}

void PlanModel::add_road(std::size_t record) {
  const report::RoadLinkRecord& road = report_.roads[record];
  PlanLink link;
  link.kind = is_yes(road.elevated) ? LinkKind::ElevatedRoad : LinkKind::Road;
  link.one_way = quillan::to_upper(road.flow_direction) == "ONE WAY";
  link.record = record;
  add_segments(link, road.segments);
}

void PlanModel::add_barrier(std::size_t record) {
  const report::BarrierLinkRecord& barrier = report_.barriers[record];
  PlanLink link;
  link.kind = quillan::to_upper(barrier.type) == "ABSORPTIVE" ? LinkKind::AbsorptiveBarrier
                                                              : LinkKind::ReflectiveBarrier;
  link.generated = barrier.generated();
  link.record = record;
  add_segments(link, barrier.segments);
}

template <typename Segments>
void PlanModel::add_segments(PlanLink link, const Segments& segments) {
  link.first_segment = segments_.size();
  for (const auto& s : segments) {
    std::optional<QPointF> from = point_of(s.from.x, s.from.y), to = point_of(s.to.x, s.to.y);
    if (!from || !to) {
      ++unplaced_;
      continue;
    }
    double width = 0;
    if constexpr (std::is_same_v<typename Segments::value_type, report::RoadSegmentText>)
      width = std::max(0.0, number(s.width).value_or(0));
    segments_.push_back({QLineF(*from, *to), width, links_.size()});
    include(*from);
    include(*to);
  }
  link.segment_count = segments_.size() - link.first_segment;
  links_.push_back(link);
}

void PlanModel::include(QPointF point) {
  if (!has_bounds_) {
    bounds_ = QRectF(point, point);
    has_bounds_ = true;
    return;
  }
  bounds_.setLeft(std::min(bounds_.left(), point.x()));
  bounds_.setRight(std::max(bounds_.right(), point.x()));
  bounds_.setTop(std::min(bounds_.top(), point.y()));
  bounds_.setBottom(std::max(bounds_.bottom(), point.y()));
}

std::optional<std::size_t> PlanModel::link_near(QPointF at, double tolerance) const {
  std::optional<std::size_t> best;
  double best_distance = tolerance;
  for (const PlanSegment& s : segments_) {
    const double d = distance_to(s.line, at);
    if (d <= best_distance) {
      best_distance = d;
      best = s.link;
    }
  }
  return best;
}

std::optional<std::size_t> PlanModel::receiver_near(QPointF at, double tolerance) const {
  std::optional<std::size_t> best;
  double best_distance = tolerance;
  for (std::size_t i = 0; i < receivers_.size(); ++i) {
    const QPointF d = receivers_[i].at - at;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= best_distance) {
      best_distance = distance;
      best = i;
    }
  }
  return best;
}

report::LineSpan PlanModel::link_lines(std::size_t link) const {
  const PlanLink& l = links_[link];
  return l.is_road() ? report_.roads[l.record].lines : report_.barriers[l.record].lines;
}

report::LineSpan PlanModel::receiver_lines(std::size_t receiver) const {
  return report_.receivers[receivers_[receiver].record].lines;
}

}  // namespace kalvor::plan
