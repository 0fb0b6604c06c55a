#include "window/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kalvor {

QString installed_help_file() {
  const QDir bin(QCoreApplication::applicationDirPath());
  for (const char* relative : {KALVOR_HELP_BESIDE_PROGRAM, KALVOR_HELP_FROM_BINDIR}) {
    QString candidate = QDir::cleanPath(bin.filePath(QString::fromUtf8(relative)));
    if (QFileInfo::exists(candidate)) return candidate;
  }
  return {};
}

}  // namespace kalvor
