// Answers the modal windows that the window under test opens, so that no
// test waits for a person: message boxes are recorded and answered with
// their OK (or first) button, other modal windows go to the handlers queued
// for them, in order, or are rejected when none is queued.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace kalvor::test {

struct SeenMessage {
  QString text;
  QMessageBox::Icon icon;
  QString title;
  QMessageBox::StandardButtons buttons;
};

class ModalAnswerer : public QObject {
 public:
  using Handler = std::function<void(QDialog& modal)>;

  ModalAnswerer();

  // Handles the next modal window that is not a message box.
  void then(Handler handler) { handlers_.push_back(std::move(handler)); }
  // Answers the next message box with `button` instead of OK.
  void reply(QMessageBox::StandardButton button) { replies_.push_back(button); }
  // Runs just before each message box is answered (to look at the window).
  void on_message(std::function<void(const SeenMessage&)> look) { look_ = std::move(look); }

  std::vector<SeenMessage> messages;
  int unexpected_dialogs = 0;

 private:
  void answer_modal();
  void answer_message(QMessageBox& box);

  QTimer timer_;
  std::deque<Handler> handlers_;
  std::deque<QMessageBox::StandardButton> replies_;
  QPointer<QDialog> handling_;
  std::function<void(const SeenMessage&)> look_;
};

}  // namespace kalvor::test
