#include "window/dialog_filters.h"

namespace kalvor {
namespace {

QString qt_patterns(const QString& patterns) {
  QStringList each = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& pattern : each) {
    pattern = pattern.trimmed();
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return each.join(QLatin1Char(' '));
}

}  // namespace

QStringList qt_name_filters(std::string_view filter) {
  const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
                                .split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    entries.append(parts[i] + QStringLiteral(" (") + qt_patterns(parts[i + 1]) + QLatin1Char(')'));
  }
  return entries;
}

}  // namespace kalvor
