#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>

namespace kalvor::test {

ModalAnswerer::ModalAnswerer() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, [this] { answer_modal(); });
  timer_.start();
}

void ModalAnswerer::answer_modal() {
  auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (modal == nullptr || !modal->isVisible()) return;
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    answer_message(*box);
  } else if (modal == handling_) {
    return;
  } else if (!handlers_.empty()) {
    // The handler runs from a timer of its own, so that this one goes on
    // answering the boxes that the handler's actions open.
    handling_ = modal;
    QTimer::singleShot(0, modal, [this, modal, handler = std::move(handlers_.front())] {
      handler(*modal);
      handling_ = nullptr;
    });
    handlers_.pop_front();
  } else {
    ++unexpected_dialogs;
    modal->reject();
  }
}

void ModalAnswerer::answer_message(QMessageBox& box) {
  SeenMessage seen{box.text(), box.icon(), box.windowTitle(), box.standardButtons()};
  messages.push_back(seen);
  if (look_) look_(seen);
  QMessageBox::StandardButton wanted = QMessageBox::Ok;
  if (!replies_.empty()) {
    wanted = replies_.front();
    replies_.pop_front();
  }
  QAbstractButton* button = box.button(wanted);
  (button != nullptr ? button : box.buttons().constFirst())->click();
}

}  // namespace kalvor::test
