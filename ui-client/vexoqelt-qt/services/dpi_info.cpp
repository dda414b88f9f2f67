#include "dpi_info.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

#include <cmath>

namespace {

// The widgets are laid out for 96 DPI at scale 1.
constexpr double kBaseDpi = 96.0;

QScreen* primaryScreen() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    return nullptr;
  }
  return QGuiApplication::primaryScreen();
}

}  // namespace

DPIinfo* DPIinfo::getInstance() {
  static DPIinfo instance;
  return &instance;
}

double DPIinfo::getDPI() const {
  const double fixed = m_dpi_override.load();
  if (fixed > 0) {
    return fixed;
  }
  QScreen* screen = primaryScreen();
  if (!screen) {
    return 1.0;
  }
  const double dpi = screen->logicalDotsPerInch();
  return dpi > 0 ? dpi / kBaseDpi : 1.0;
}

double DPIinfo::getDPR() const {
  const double fixed = m_dpr_override.load();
  if (fixed > 0) {
    return fixed;
  }
  QScreen* screen = primaryScreen();
  if (!screen) {
    return 1.0;
  }
  const double dpr = screen->devicePixelRatio();
  return dpr > 0 ? dpr : 1.0;
}

void DPIinfo::setScaleForTest(double dpi, double dpr) {
  m_dpi_override.store(dpi > 0 ? dpi : 0.0);
  m_dpr_override.store(dpr > 0 ? dpr : 0.0);
}

QString DPIinfo::getScaledStyleSheet(const QString& text) {
  return scaleStyleSheet(text, getInstance()->getDPI());
}

QString DPIinfo::scaleStyleSheet(const QString& text, double scale) {
  // A number right before "px", not part of a longer word or number
  // ("a12px" and "1.5.2px" are left alone); decimals are allowed.
  static const QRegularExpression px(QStringLiteral("(?<![\\w.])(\\d+(?:\\.\\d+)?)px\\b"));
  QString out;
  out.reserve(text.size());
  int last = 0;
  auto it = px.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out += text.midRef(last, m.capturedStart() - last);
    const double value = m.captured(1).toDouble() * scale;
    // Truncated toward zero; the small epsilon keeps 12 × 1.25 at 15 even if
    // the product lands a hair below.
    const long long scaled = static_cast<long long>(std::floor(value + 1e-9));
    out += QString::number(scaled) + QStringLiteral("px");
    last = m.capturedEnd();
  }
  out += text.midRef(last);
  return out;
}
