#include "window/file_drops.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QMimeData>
#include <QUrl>

namespace kalvor {

namespace {

// Some programs drag a file as the text of its address only.
QList<QUrl> links_of(const QMimeData& data) {
  if (data.hasUrls()) return data.urls();
  const QString text = data.text().trimmed();
  if (text.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) return {QUrl(text)};
  return {};
}

}  // namespace

bool carries_links(const QMimeData& data) {
  return !links_of(data).isEmpty();
}

QString dropped_file(const QMimeData& data) {
  const QList<QUrl> links = links_of(data);
  if (links.size() != 1 || !links.constFirst().isLocalFile()) return {};
  const QString path = links.constFirst().toLocalFile();
  if (!QFileInfo(path).isFile()) return {};
  return QDir::toNativeSeparators(path);
}

}  // namespace kalvor
