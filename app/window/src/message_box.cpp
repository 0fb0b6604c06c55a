#include "window/message_box.h"

#include <QMessageBox>
#include <QStringDecoder>

#include "platform/files.h"

namespace kalvor {
namespace {

QMessageBox::Icon qt_icon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qt_buttons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

// Closing a box without choosing answers as its escape button would.
MessageResult answer_of(int button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Yes:
      return MessageResult::Yes;
    case QMessageBox::No:
      return MessageResult::No;
    case QMessageBox::Cancel:
      return MessageResult::Cancel;
    case QMessageBox::Ok:
      return MessageResult::Ok;
    default:
      break;
  }
  if (buttons == MessageButtons::YesNo) return MessageResult::No;
  return buttons == MessageButtons::OkCancel ? MessageResult::Cancel : MessageResult::Ok;
}

}  // namespace

MessageResult show_message_box(QWidget* owner, const QString& text, MessageIcon icon,
                               MessageButtons buttons, const QString& title) {
  QMessageBox box(qt_icon(icon), title, text, qt_buttons(buttons), owner);
  return answer_of(box.exec(), buttons);
}

QString display_text(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return QString::fromStdString(platform::windows1252_to_utf8(text));
}

}  // namespace kalvor
