#include "plan/plan_renderer.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <cmath>
#include <map>
#include <vector>

namespace kalvor::plan {

namespace {

const QColor kRoadColour(150, 150, 150);
const QColor kElevatedRoadColour(100, 130, 150);
const QColor kReflectiveColour(198, 40, 40);
const QColor kAbsorptiveColour(46, 125, 50);
const QColor kReceiverColour(21, 101, 192);
const QColor kSelectionColour(255, 179, 0, 170);
constexpr double kBarrierPenWidth = 3.5;  // pixels
constexpr double kReceiverRadius = 3.5;   // pixels
constexpr double kArrowSize = 8;          // pixels
// Above this many receivers in view their names are left out.
constexpr std::size_t kMostLabelledReceivers = 400;
// Above this many segments in view lines are drawn without antialiasing, so
// that a frame of a large model stays fast.
constexpr std::size_t kMostSmoothSegments = 20000;

QColor barrier_colour(LinkKind kind) {
  return kind == LinkKind::AbsorptiveBarrier ? kAbsorptiveColour : kReflectiveColour;
}

// Elevated roads are dashed with short gaps whatever their width, so that
// a wide road still reads as one road.
QPen road_pen(bool elevated, double width) {
  if (!elevated) return QPen(kRoadColour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QPen pen(kElevatedRoadColour, width, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
  const double dash = std::max(10.0, 2 * width), gap = std::max(4.0, 0.25 * width);
  pen.setDashPattern({dash / width, gap / width});
  return pen;
}

QPen barrier_pen(LinkKind kind, bool generated) {
  return QPen(barrier_colour(kind), kBarrierPenWidth, generated ? Qt::DashDotLine : Qt::SolidLine,
              Qt::FlatCap, Qt::RoundJoin);
}

// Road pens are grouped by width in steps of half a pixel, so that lines of
// one look are drawn in one call.
int width_step(double metres, double scale) {
  return std::max(2, static_cast<int>(std::lround(metres * scale * 2)));
}

struct PenKey {
  LinkKind kind;
  bool generated;
  int step;
  auto operator<=>(const PenKey&) const = default;
};

QPen pen_for(const PenKey& key) {
  switch (key.kind) {
    case LinkKind::Road:
    case LinkKind::ElevatedRoad:
      return road_pen(key.kind == LinkKind::ElevatedRoad, key.step / 2.0);
    default:
      return barrier_pen(key.kind, key.generated);
  }
}

bool touches(const QRectF& area, const QLineF& line) {
  return std::max(line.x1(), line.x2()) >= area.left() &&
         std::min(line.x1(), line.x2()) <= area.right() &&
         std::max(line.y1(), line.y2()) >= area.top() &&
         std::min(line.y1(), line.y2()) <= area.bottom();
}

class Drawing {
 public:
  Drawing(QPainter& painter, const PlanModel& model, const PlanView& view)
      : p_(painter), model_(model), view_(view) {
    const double margin_metres = 20 / view.scale();
    visible_ =
        view.visible_world().adjusted(-margin_metres, -margin_metres, margin_metres, margin_metres);
  }

  void draw(const PlanSelection& selection) {
    p_.save();
    p_.fillRect(QRectF(QPointF(0, 0), view_.viewport()), Qt::white);
    draw_links();
    draw_selection(selection);
    draw_receivers();
    p_.setRenderHint(QPainter::Antialiasing, true);
    draw_title();
    draw_north_arrow();
    draw_scale_bar();
    draw_legend();
    p_.restore();
  }

 private:
  QLineF on_screen(const QLineF& world) const {
    return QLineF(view_.to_screen(world.p1()), view_.to_screen(world.p2()));
  }

  // Roads first, barriers on top; each look drawn in one call.
  void draw_links() {
    std::map<PenKey, std::vector<QLineF>> batches;
    std::size_t shown = 0;
    for (const PlanSegment& s : model_.segments()) {
      if (!touches(visible_, s.line)) continue;
      const PlanLink& link = model_.links()[s.link];
      const int step = link.is_road() ? width_step(s.width, view_.scale()) : 0;
      batches[{link.kind, link.generated, step}].push_back(on_screen(s.line));
      ++shown;
    }
    p_.setRenderHint(QPainter::Antialiasing, shown <= kMostSmoothSegments);
    for (const auto& [key, lines] : batches) {
      p_.setPen(pen_for(key));
      p_.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    draw_direction_arrows();
  }

  // One-way roads get an arrow on their middle segment, pointing the way
  // the segments run, where that segment is long enough to carry it.
  void draw_direction_arrows() {
    QPainterPath arrows;
    for (const PlanLink& link : model_.links()) {
      if (!link.is_road() || !link.one_way || link.segment_count == 0) continue;
      const QLineF& world = model_.segments()[link.first_segment + link.segment_count / 2].line;
      if (!touches(visible_, world)) continue;
      const QLineF line = on_screen(world);
      if (line.length() < 3 * kArrowSize) continue;
      add_arrow(arrows, line.center(), line.unitVector());
    }
    p_.setPen(Qt::NoPen);
    p_.setBrush(Qt::black);
    p_.drawPath(arrows);
  }

  static void add_arrow(QPainterPath& path, QPointF centre, const QLineF& unit) {
    const QPointF along = (unit.p2() - unit.p1()) * kArrowSize;
    const QPointF across(-along.y() / 2, along.x() / 2);
    QPolygonF head;
    head << centre + along / 2 << centre - along / 2 + across << centre - along / 2 - across
         << centre + along / 2;
    path.addPolygon(head);
  }

  // The selected link or receiver under a broad translucent stroke; drawn
  // as a path so that it never counts as a segment.
  void draw_selection(const PlanSelection& selection) {
    QPainterPath path;
    if (selection.link) {
      const PlanLink& link = model_.links()[*selection.link];
      for (std::size_t i = 0; i < link.segment_count; ++i) {
        const QLineF line = on_screen(model_.segments()[link.first_segment + i].line);
        path.moveTo(line.p1());
        path.lineTo(line.p2());
      }
    }
    if (selection.receiver)
      path.addEllipse(view_.to_screen(model_.receivers()[*selection.receiver].at), 9, 9);
    p_.setBrush(Qt::NoBrush);
    p_.setPen(QPen(kSelectionColour, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p_.drawPath(path);
  }

  void draw_receivers() {
    std::vector<std::size_t> in_view;
    for (std::size_t i = 0; i < model_.receivers().size(); ++i)
      if (visible_.contains(model_.receivers()[i].at)) in_view.push_back(i);
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setPen(QPen(Qt::white, 1));
    p_.setBrush(kReceiverColour);
    for (std::size_t i : in_view)
      p_.drawEllipse(view_.to_screen(model_.receivers()[i].at), kReceiverRadius, kReceiverRadius);
    if (in_view.size() <= kMostLabelledReceivers) draw_receiver_names(in_view);
  }

  // Each name to the right of its point, unless it would cover a name
  // already written.
  void draw_receiver_names(const std::vector<std::size_t>& in_view) {
    QFont font = p_.font();
    font.setPointSizeF(8);
    p_.setFont(font);
    p_.setPen(kReceiverColour.darker(140));
    const QFontMetricsF metrics(font);
    std::vector<QRectF> taken;
    for (std::size_t i : in_view) {
      const PlanReceiver& r = model_.receivers()[i];
      const QString name = shown(model_.report().receivers[r.record].nsr_id);
      if (name.isEmpty()) continue;
      const QPointF at = view_.to_screen(r.at) + QPointF(kReceiverRadius + 3, metrics.ascent() / 2);
      const QRectF box(at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(name),
                       metrics.height());
      if (std::any_of(taken.begin(), taken.end(),
                      [&](const QRectF& t) { return t.intersects(box); }))
        continue;
      taken.push_back(box);
      p_.drawText(at, name);
    }
  }

  // A white panel with a grey border for the corner blocks.
  void panel(const QRectF& box) {
    p_.setPen(QPen(QColor(160, 160, 160), 1));
    p_.setBrush(QColor(255, 255, 255, 230));
    p_.drawRect(box);
  }

  void draw_title() {
    const report::ReportHeader& h = model_.report().header;
    QStringList rows;
    rows << (h.project_title.empty() ? QString("(no project title)") : shown(h.project_title));
    rows << "Coordinate system: " +
                (h.coordinate_system.empty() ? QString("not given") : shown(h.coordinate_system));
    if (model_.unplaced() > 0)
      rows << QString("%1 items without coordinates not drawn").arg(model_.unplaced());
    QFont font = p_.font();
    font.setPointSizeF(9);
    const QFontMetricsF metrics(font);
    double width = 0;
    for (const QString& row : rows) width = std::max(width, metrics.horizontalAdvance(row));
    const QRectF box(8, 8, width + 16, rows.size() * metrics.lineSpacing() + 10);
    panel(box);
    p_.setPen(Qt::black);
    for (int i = 0; i < rows.size(); ++i) {
      font.setBold(i == 0);
      p_.setFont(font);
      p_.drawText(
          QPointF(box.left() + 8, box.top() + 5 + metrics.ascent() + i * metrics.lineSpacing()),
          rows[i]);
    }
  }

  void draw_north_arrow() {
    const QPointF tip(view_.viewport().width() - 30, 14);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(9, 28));
    arrow.lineTo(tip + QPointF(0, 21));
    arrow.lineTo(tip + QPointF(-9, 28));
    arrow.closeSubpath();
    p_.setPen(QPen(Qt::black, 1));
    p_.setBrush(Qt::black);
    p_.drawPath(arrow);
    QFont font = p_.font();
    font.setPointSizeF(10);
    font.setBold(true);
    p_.setFont(font);
    p_.drawText(QRectF(tip.x() - 10, tip.y() + 29, 20, 16), Qt::AlignCenter, "N");
  }

  // A bar of a round length (1, 2 or 5 times a power of ten metres) no
  // longer than 150 pixels, in two halves.
  void draw_scale_bar() {
    const double most = 150 / view_.scale();
    double length = std::pow(10.0, std::floor(std::log10(most)));
    for (double step : {5.0, 2.0})
      if (length * step <= most) {
        length *= step;
        break;
      }
    const double pixels = length * view_.scale();
    const QPointF origin(18, view_.viewport().height() - 22);
    panel(QRectF(origin.x() - 10, origin.y() - 24, pixels + 60, 38));
    p_.setPen(QPen(Qt::black, 1));
    p_.setBrush(Qt::black);
    p_.drawRect(QRectF(origin.x(), origin.y(), pixels / 2, 6));
    p_.setBrush(Qt::white);
    p_.drawRect(QRectF(origin.x() + pixels / 2, origin.y(), pixels / 2, 6));
    QFont font = p_.font();
    font.setPointSizeF(8);
    font.setBold(false);
    p_.setFont(font);
    const QString label = QString::number(length, 'g', 6) + " m";
    p_.drawText(QPointF(origin.x(), origin.y() - 5), "0");
    p_.drawText(QPointF(origin.x() + pixels - 4, origin.y() - 5), label);
  }

  struct LegendEntry {
    QString text;
    QPen pen;
    enum { Stroke, Arrow, Point } sample;
  };

  void draw_legend() {
    const std::vector<LegendEntry> entries = {
        {"Road (width to scale)", road_pen(false, 4), LegendEntry::Stroke},
        {"Elevated road", road_pen(true, 4), LegendEntry::Stroke},
        {"One-way road, direction of travel", road_pen(false, 4), LegendEntry::Arrow},
        {"Reflective barrier", barrier_pen(LinkKind::ReflectiveBarrier, false),
         LegendEntry::Stroke},
        {"Absorptive barrier", barrier_pen(LinkKind::AbsorptiveBarrier, false),
         LegendEntry::Stroke},
        {"Generated layout barrier", barrier_pen(LinkKind::ReflectiveBarrier, true),
         LegendEntry::Stroke},
        {"Receiver (NSR)", QPen(Qt::white, 1), LegendEntry::Point},
    };
    QFont font = p_.font();
    font.setPointSizeF(8);
    font.setBold(false);
    p_.setFont(font);
    const QFontMetricsF metrics(font);
    double text_width = 0;
    for (const LegendEntry& e : entries)
      text_width = std::max(text_width, metrics.horizontalAdvance(e.text));
    const double row = std::max(16.0, metrics.lineSpacing() + 2);
    const QSizeF size(text_width + 60, entries.size() * row + 10);
    const QRectF box(view_.viewport().width() - size.width() - 8,
                     view_.viewport().height() - size.height() - 8, size.width(), size.height());
    panel(box);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const double y = box.top() + 5 + (i + 0.5) * row;
      draw_legend_sample(entries[i], QLineF(box.left() + 8, y, box.left() + 40, y));
      p_.setPen(Qt::black);
      p_.drawText(QPointF(box.left() + 48, y + metrics.ascent() / 2 - 1), entries[i].text);
    }
  }

  // Samples are paths, never lines or circles (see the header).
  void draw_legend_sample(const LegendEntry& entry, const QLineF& at) {
    QPainterPath path;
    if (entry.sample == LegendEntry::Point) {
      p_.setPen(entry.pen);
      p_.setBrush(kReceiverColour);
      path.addEllipse(at.center(), kReceiverRadius, kReceiverRadius);
      p_.drawPath(path);
      return;
    }
    path.moveTo(at.p1());
    path.lineTo(at.p2());
    p_.setPen(entry.pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
    if (entry.sample == LegendEntry::Arrow) {
      QPainterPath arrow;
      add_arrow(arrow, at.center(), at.unitVector());
      p_.setPen(Qt::NoPen);
      p_.setBrush(Qt::black);
      p_.drawPath(arrow);
    }
  }

  QPainter& p_;
  const PlanModel& model_;
  const PlanView& view_;
  QRectF visible_;
};

QString export_svg(const PlanModel& model, const QString& path, const PlanView& view) {
  QSvgGenerator svg;
  svg.setFileName(path);
  const QSize size = view.viewport().toSize();
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(shown(model.report().header.project_title));
  svg.setDescription("Plan of an exchange report, drawn by KALVOR");
  QPainter painter;
  if (!painter.begin(&svg)) return "cannot write " + path;
  draw_plan(painter, model, view);
  painter.end();
  return {};
}

QString export_png(const PlanModel& model, const QString& path, const PlanView& view) {
  QImage image(view.viewport().toSize(), QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&image);
    draw_plan(painter, model, view);
  }
  if (!image.save(path, "PNG")) return "cannot write " + path;
  return {};
}

}  // namespace

void draw_plan(QPainter& painter, const PlanModel& model, const PlanView& view,
               const PlanSelection& selection) {
  Drawing(painter, model, view).draw(selection);
}

QString export_plan(const PlanModel& model, const QString& path, QSize size) {
  PlanView view;
  view.fit(model.bounds(), size);
  return export_plan(model, path, view);
}

QString export_plan(const PlanModel& model, const QString& path, const PlanView& view) {
  if (view.viewport().toSize().isEmpty()) return "the size of the drawing must be positive";
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == "svg") return export_svg(model, path, view);
  if (suffix == "png") return export_png(model, path, view);
  return "the file name must end in .svg or .png: " + path;
}

}  // namespace kalvor::plan
