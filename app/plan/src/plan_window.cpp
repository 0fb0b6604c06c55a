#include "plan/plan_window.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "report/vocabulary.h"

namespace kalvor::plan {

namespace {

constexpr double kHitPixels = 6;
constexpr double kDragPixels = 3;
// One wheel notch (120 eighths of a degree) zooms by this factor.
constexpr double kZoomPerNotch = 1.25;

// A value with its unit when it is a number; "N/A", "???" and the like alone.
QString with_unit(const std::string& value, const char* unit) {
  return report::number(value) ? shown(value) + unit : shown(value);
}

// The lowest and highest H (height above ground) of a barrier's segments.
QString height_range(const report::BarrierLinkRecord& barrier) {
  std::optional<double> low, high;
  for (const report::BarrierSegmentText& s : barrier.segments)
    for (const std::string* h : {&s.from.h, &s.to.h})
      if (std::optional<double> v = report::number(*h)) {
        low = std::min(low.value_or(*v), *v);
        high = std::max(high.value_or(*v), *v);
      }
  if (!low) return "not given";
  if (*low == *high) return QString::number(*low, 'f', 1) + " m";
  return QString::number(*low, 'f', 1) + " to " + QString::number(*high, 'f', 1) + " m";
}

}  // namespace

QString describe_link(const PlanModel& model, std::size_t link) {
  const PlanLink& l = model.links()[link];
  if (l.is_road()) {
    const report::RoadLinkRecord& r = model.report().roads[l.record];
    const std::string width =
        r.segments.empty() ? report::kNotApplicable : r.segments.front().width;
    return QString("Road link %1: %2\nFlow %3, speed %4\n%5, elevated %6, width %7")
        .arg(shown(r.number), shown(r.id), with_unit(r.flow, " veh/hr"),
             with_unit(r.speed, " km/h"), shown(r.flow_direction), shown(r.elevated),
             with_unit(width, " m"));
  }
  const report::BarrierLinkRecord& b = model.report().barriers[l.record];
  return QString("Barrier link %1: %2%3\n%4, level %5, height %6\nAssociated road link %7")
      .arg(shown(b.number), shown(b.id), b.generated() ? " (generated)" : "", shown(b.type),
           shown(b.level), height_range(b), shown(b.associated_road));
}

QString describe_receiver(const PlanModel& model, std::size_t receiver) {
  const report::ReceiverRecord& r = model.report().receivers[model.receivers()[receiver].record];
  return QString("Receiver %1: %2\nX %3, Y %4\nZ %5, H %6, facade correction %7")
      .arg(shown(r.number), shown(r.nsr_id), shown(r.x), shown(r.y), with_unit(r.z, " m"),
           with_unit(r.h, " m"), shown(r.facade));
}

PlanCanvas::PlanCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(320, 240);
  setCursor(Qt::OpenHandCursor);
}

void PlanCanvas::set_model(const PlanModel* model) {
  model_ = model;
  selection_ = {};
  hover_text_.clear();
  fit();
}

void PlanCanvas::fit() {
  if (model_) view_.fit(model_->bounds(), size());
  fitted_ = true;
  update();
}

PlanSelection PlanCanvas::hit(QPointF at) const {
  PlanSelection found;
  if (!model_) return found;
  const QPointF world = view_.to_world(at);
  const double tolerance = kHitPixels / view_.scale();
  found.receiver = model_->receiver_near(world, tolerance);
  if (!found.receiver) found.link = model_->link_near(world, tolerance);
  return found;
}

void PlanCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!model_) {
    painter.fillRect(rect(), Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, "No report open");
    return;
  }
  draw_plan(painter, *model_, view_, selection_);
}

// A plan still as Fit showed it is fitted again; one the user has zoomed or
// moved keeps its middle and scale.
void PlanCanvas::resizeEvent(QResizeEvent*) {
  if (fitted_)
    fit();
  else
    view_.set_viewport(size());
}

void PlanCanvas::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0) return;
  view_.zoom_at(std::pow(kZoomPerNotch, notches), event->position());
  fitted_ = false;
  update();
  event->accept();
}

void PlanCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  panning_ = false;
  press_at_ = last_at_ = event->position();
}

void PlanCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (pressed_) {
    if (!panning_ && (at - press_at_).manhattanLength() > kDragPixels) {
      panning_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
    if (panning_) {
      view_.pan(at - last_at_);
      fitted_ = false;
      last_at_ = at;
      update();
    }
    return;
  }
  hover(at, event->globalPosition().toPoint());
}

void PlanCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (panning_) {
    panning_ = false;
    setCursor(Qt::OpenHandCursor);
    return;
  }
  selection_ = hit(event->position());
  update();
  emit selection_changed();
}

void PlanCanvas::hover(QPointF at, QPoint global) {
  const PlanSelection under = hit(at);
  if (under.receiver)
    hover_text_ = describe_receiver(*model_, *under.receiver);
  else if (under.link)
    hover_text_ = describe_link(*model_, *under.link);
  else
    hover_text_.clear();
  if (hover_text_.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(global, hover_text_, this);
}

PlanWindow::PlanWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("KALVOR Plan");
  resize(1100, 750);
  canvas_ = new PlanCanvas;
  record_ = new QPlainTextEdit;
  record_->setObjectName("planRecord");
  record_->setReadOnly(true);
  record_->setLineWrapMode(QPlainTextEdit::NoWrap);
  record_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  record_->setPlaceholderText("Click a link or receiver to list its record.");
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(canvas_);
  splitter->addWidget(record_);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);

  QMenu* file = menuBar()->addMenu("&File");
  QAction* open = file->addAction("&Open report…", this, &PlanWindow::ask_for_report);
  open->setObjectName("actionOpenReport");
  open->setShortcut(QKeySequence::Open);
  export_action_ = file->addAction("&Export…", this, &PlanWindow::ask_for_export);
  export_action_->setObjectName("actionExport");
  file->addSeparator();
  file->addAction("&Close", this, &QWidget::close)->setShortcut(QKeySequence::Close);
  QMenu* view = menuBar()->addMenu("&View");
  fit_action_ = view->addAction("&Fit", canvas_, &PlanCanvas::fit);
  fit_action_->setObjectName("actionFit");
  fit_action_->setShortcut(Qt::Key_F);

  QToolBar* tools = addToolBar("Plan");
  tools->setObjectName("planToolBar");
  tools->addAction(open);
  tools->addAction(fit_action_);
  tools->addAction(export_action_);
  fit_action_->setEnabled(false);
  export_action_->setEnabled(false);

  connect(canvas_, &PlanCanvas::selection_changed, this, &PlanWindow::show_selected_record);
  statusBar()->showMessage("Open a report to see its plan.");
}

PlanWindow::~PlanWindow() = default;

QString PlanWindow::open_report(const QString& path) {
  std::unique_ptr<report::ReportText> text;
  std::unique_ptr<PlanModel> model;
  try {
    text = std::make_unique<report::ReportText>(report::read_report_text(path.toStdString()));
    model = std::make_unique<PlanModel>(report::parse_report(*text));
  } catch (const report::ReportError& e) {
    return QFileInfo(path).fileName() + ": " + e.what();
  }
  canvas_->set_model(model.get());
  model_ = std::move(model);
  text_ = std::move(text);
  path_ = path;
  record_->clear();
  fit_action_->setEnabled(true);
  export_action_->setEnabled(true);
  const QString name = QFileInfo(path).fileName();
  setWindowTitle(name + " - KALVOR Plan");
  statusBar()->showMessage(
      QString::fromStdString(report::summary_line(name.toStdString(), model_->report())));
  return {};
}

QString PlanWindow::export_to(const QString& path) const {
  if (!model_) return "no report open";
  return export_plan(*model_, path, canvas_->view());
}

QString PlanWindow::record_text() const {
  const PlanSelection& s = canvas_->selection();
  report::LineSpan span;
  if (s.link)
    span = model_->link_lines(*s.link);
  else if (s.receiver)
    span = model_->receiver_lines(*s.receiver);
  else
    return {};
  QStringList rows;
  for (std::size_t line = span.first; line <= span.last && line <= text_->line_count(); ++line)
    rows << shown(text_->line(line - 1));
  return rows.join('\n');
}

void PlanWindow::ask_for_report() {
  const QString path = QFileDialog::getOpenFileName(this, "Open report", QFileInfo(path_).path(),
                                                    "Exchange reports (*.txt);;All files (*)");
  if (path.isEmpty()) return;
  const QString error = open_report(path);
  if (!error.isEmpty()) QMessageBox::warning(this, "Open report", error);
}

void PlanWindow::ask_for_export() {
  const QString suggested =
      QFileInfo(path_).path() + "/" + QFileInfo(path_).completeBaseName() + "-plan.svg";
  const QString path = QFileDialog::getSaveFileName(this, "Export plan", suggested,
                                                    "SVG drawing (*.svg);;PNG image (*.png)");
  if (path.isEmpty()) return;
  const QString error = export_to(path);
  if (!error.isEmpty())
    QMessageBox::warning(this, "Export plan", error);
  else
    statusBar()->showMessage("Exported " + QFileInfo(path).fileName());
}

void PlanWindow::show_selected_record() {
  record_->setPlainText(record_text());
}

}  // namespace kalvor::plan
