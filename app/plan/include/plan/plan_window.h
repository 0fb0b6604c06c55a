// The plan window: the plan of one exchange report, panned by dragging with
// the mouse and zoomed with the wheel; "Fit" shows everything. Hovering over
// a link or receiver tells its number, ID and key values; clicking selects
// it and lists its record from the report. "Export…" saves what is in view
// as SVG or PNG, and "Open report…" shows any report on disk.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QWidget>
#include <memory>

#include "plan/plan_model.h"
#include "plan/plan_renderer.h"
#include "plan/plan_view.h"

class QAction;
class QPlainTextEdit;

namespace kalvor::plan {

// What hovering over a link or a receiver tells about it.
QString describe_link(const PlanModel& model, std::size_t link);
QString describe_receiver(const PlanModel& model, std::size_t receiver);

class PlanCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit PlanCanvas(QWidget* parent = nullptr);

  void set_model(const PlanModel* model);
  void fit();
  // What lies under `at` (pixels): the nearest link or receiver within a
  // few pixels, receivers first.
  PlanSelection hit(QPointF at) const;

  const PlanView& view() const { return view_; }
  const PlanSelection& selection() const { return selection_; }
  const QString& hover_text() const { return hover_text_; }

 signals:
  void selection_changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void hover(QPointF at, QPoint global);

  const PlanModel* model_ = nullptr;
  PlanView view_;
  PlanSelection selection_;
  QString hover_text_;
  QPointF press_at_, last_at_;
  bool pressed_ = false, panning_ = false;
  bool fitted_ = true;  // as Fit showed it: no zoom or pan since
};

class PlanWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit PlanWindow(QWidget* parent = nullptr);
  ~PlanWindow() override;

  // Reads and shows a report. Returns an empty text, or why it cannot be
  // shown (the plan shown before stays).
  QString open_report(const QString& path);
  // Saves the plan as in view; returns an empty text or what went wrong.
  QString export_to(const QString& path) const;

  const PlanModel* model() const { return model_.get(); }
  PlanCanvas* canvas() const { return canvas_; }
  // The record of the selection as the report writes it.
  QString record_text() const;

 private:
  void ask_for_report();
  void ask_for_export();
  void show_selected_record();

  std::unique_ptr<PlanModel> model_;
  std::unique_ptr<report::ReportText> text_;
  QString path_;
  PlanCanvas* canvas_;
  QPlainTextEdit* record_;
  QAction* fit_action_;
  QAction* export_action_;
};

}  // namespace kalvor::plan
