#pragma once

#include <QString>

#include <atomic>

// The display scale (logical DPI / 96) and the device pixel ratio of the
// primary screen. Sizes in pixels at scale 1 are multiplied by getDPI() and
// truncated toward zero.
class DPIinfo {
public:
  static DPIinfo* getInstance();

  // Logical DPI of the primary screen / 96; 1.0 without a screen.
  double getDPI() const;
  // Device pixel ratio of the primary screen; 1.0 without a screen.
  double getDPR() const;

  // Each "Npx" of text becomes "Mpx" with M = N × getDPI(), truncated.
  static QString getScaledStyleSheet(const QString& text);
  // The same with an explicit scale.
  static QString scaleStyleSheet(const QString& text, double scale);

  // Tests fix the scale and ratio; a value <= 0 returns to the screen's.
  void setScaleForTest(double dpi, double dpr);

  DPIinfo(const DPIinfo&) = delete;
  DPIinfo& operator=(const DPIinfo&) = delete;

private:
  DPIinfo() = default;

  std::atomic<double> m_dpi_override{0.0};
  std::atomic<double> m_dpr_override{0.0};
};
