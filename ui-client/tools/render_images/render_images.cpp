// Renders the program's images from SVG into PNG files, at 1x and, for every
// image but the file-type icons, at 2x ("<name>@2x.png"), with the state
// images that the manifest asks for.
//
// Usage: qm-render-images <manifest> <theme folder> <own svg folder> <output folder> [stamp]
//
// Manifest lines: <name> <width>x<height> <source> [options]
//   source   "theme:<path>" (under the icon theme's scalable folder) or
//            "own:<file>" (our own SVG)
//   options  glyph=<n>  draw the picture n×n, centred (default: the canvas)
//            states     also write <name>_hover, _click and _disable
//            hover      also write <name>_hover
//            single     no @2x image
// "#" starts a comment.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

// Qt's offscreen platform plugin keeps its screen until the process ends,
// which LeakSanitizer reports in sanitizer builds; only full stacks show
// that the allocations are the plugin's. Unused in other builds.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libqoffscreen.so\n";
}
extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}

namespace {

struct Entry {
  QString name;
  int width = 0;
  int height = 0;
  QString source;
  int glyph = 0;
  bool hover = false;
  bool states = false;
  bool single = false;
};

QtMessageHandler g_default_handler = nullptr;

// The theme's SVGs use Inkscape features Qt's renderer does not draw; its
// complaints about them are noise in a build log.
// So is the note that the offscreen platform runs without a runtime folder.
void quietSvgWarnings(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
  if (type == QtWarningMsg && ((context.category && qstrcmp(context.category, "qt.svg") == 0) ||
                               msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))) {
    return;
  }
  g_default_handler(type, context, msg);
}

bool parseLine(const QString& raw, int line_no, Entry& out, QString& error) {
  const QStringList fields = raw.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (fields.size() < 3) {
    error = QStringLiteral("line %1: want <name> <w>x<h> <source> [options]").arg(line_no);
    return false;
  }
  out.name = fields[0];
  const QStringList size = fields[1].split(QLatin1Char('x'));
  bool ok_w = false;
  bool ok_h = false;
  if (size.size() == 2) {
    out.width = size[0].toInt(&ok_w);
    out.height = size[1].toInt(&ok_h);
  }
  if (!ok_w || !ok_h || out.width <= 0 || out.height <= 0 || out.width > 4096 || out.height > 4096) {
    error = QStringLiteral("line %1: bad size \"%2\"").arg(line_no).arg(fields[1]);
    return false;
  }
  out.source = fields[2];
  for (int i = 3; i < fields.size(); ++i) {
    const QString& opt = fields[i];
    if (opt == QLatin1String("states")) {
      out.states = true;
    } else if (opt == QLatin1String("hover")) {
      out.hover = true;
    } else if (opt == QLatin1String("single")) {
      out.single = true;
    } else if (opt.startsWith(QLatin1String("glyph="))) {
      bool ok = false;
      out.glyph = opt.mid(6).toInt(&ok);
      if (!ok || out.glyph <= 0) {
        error = QStringLiteral("line %1: bad option \"%2\"").arg(line_no).arg(opt);
        return false;
      }
    } else {
      error = QStringLiteral("line %1: unknown option \"%2\"").arg(line_no).arg(opt);
      return false;
    }
  }
  return true;
}

QString sourcePath(const QString& source, const QString& theme_dir, const QString& own_dir) {
  if (source.startsWith(QLatin1String("theme:"))) {
    return QDir(theme_dir).filePath(source.mid(6));
  }
  if (source.startsWith(QLatin1String("own:"))) {
    return QDir(own_dir).filePath(source.mid(4));
  }
  return QString();
}

// The picture drawn at scale onto a transparent canvas, centred, keeping the
// SVG's aspect ratio inside the glyph box.
QImage render(QSvgRenderer& svg, const Entry& e, int scale) {
  QImage img(e.width * scale, e.height * scale, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  const QSizeF box = e.glyph > 0 ? QSizeF(e.glyph, e.glyph) * scale : QSizeF(img.size());
  QSizeF drawn = QSizeF(svg.defaultSize()).scaled(box, Qt::KeepAspectRatio);
  if (drawn.isEmpty()) {
    drawn = box;
  }
  const QRectF target(QPointF((img.width() - drawn.width()) / 2.0, (img.height() - drawn.height()) / 2.0), drawn);
  QPainter painter(&img);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  svg.render(&painter, target);
  return img;
}

// factor > 0 mixes toward white (hover), < 0 toward black (pressed).
QImage tinted(const QImage& source, double factor) {
  QImage img = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = line[x];
      auto mix = [factor](int c) {
        return factor > 0 ? int(c + (255 - c) * factor) : int(c * (1.0 + factor));
      };
      line[x] = qRgba(mix(qRed(p)), mix(qGreen(p)), mix(qBlue(p)), qAlpha(p));
    }
  }
  return img;
}

QImage disabled(const QImage& source) {
  QImage img = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int grey = qGray(line[x]);
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
    }
  }
  return img;
}

bool save(const QImage& img, const QString& path, QString& error) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    error = QStringLiteral("cannot create the folder of ") + path;
    return false;
  }
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly) || !img.save(&out, "PNG") || !out.commit()) {
    error = QStringLiteral("cannot write ") + path;
    return false;
  }
  return true;
}

bool renderEntry(const Entry& e, const QString& theme_dir, const QString& own_dir, const QString& out_dir,
                 QString& error) {
  const QString path = sourcePath(e.source, theme_dir, own_dir);
  if (path.isEmpty() || !QFileInfo::exists(path)) {
    error = QStringLiteral("%1: no source \"%2\" (%3)").arg(e.name, e.source, path);
    return false;
  }
  QSvgRenderer svg(path);
  if (!svg.isValid()) {
    error = QStringLiteral("%1: cannot read SVG %2").arg(e.name, path);
    return false;
  }
  const QString base = QDir(out_dir).filePath(e.name);
  for (int scale : {1, 2}) {
    if (scale == 2 && e.single) {
      break;
    }
    const QString suffix = scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    const QImage normal = render(svg, e, scale);
    if (!save(normal, base + suffix, error)) {
      return false;
    }
    if ((e.hover || e.states) && !save(tinted(normal, 0.35), base + QStringLiteral("_hover") + suffix, error)) {
      return false;
    }
    if (e.states && (!save(tinted(normal, -0.25), base + QStringLiteral("_click") + suffix, error) ||
                     !save(disabled(normal), base + QStringLiteral("_disable") + suffix, error))) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  g_default_handler = qInstallMessageHandler(quietSvgWarnings);
  QGuiApplication app(argc, argv);
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: %s <manifest> <theme folder> <own svg folder> <output folder> [stamp]\n", argv[0]);
    return 2;
  }
  const QString manifest = QString::fromLocal8Bit(argv[1]);
  const QString theme_dir = QString::fromLocal8Bit(argv[2]);
  const QString own_dir = QString::fromLocal8Bit(argv[3]);
  const QString out_dir = QString::fromLocal8Bit(argv[4]);

  QFile file(manifest);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "cannot read %s\n", qUtf8Printable(manifest));
    return 1;
  }
  QTextStream in(&file);
  int line_no = 0;
  int failures = 0;
  int rendered = 0;
  while (!in.atEnd()) {
    ++line_no;
    QString line = in.readLine();
    const int hash = line.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
      line.truncate(hash);
    }
    if (line.trimmed().isEmpty()) {
      continue;
    }
    Entry e;
    QString error;
    if (!parseLine(line, line_no, e, error) || !renderEntry(e, theme_dir, own_dir, out_dir, error)) {
      std::fprintf(stderr, "%s: %s\n", qUtf8Printable(manifest), qUtf8Printable(error));
      ++failures;
      continue;
    }
    ++rendered;
  }
  if (failures > 0) {
    return 1;
  }
  if (argc == 6) {
    QFile stamp(QString::fromLocal8Bit(argv[5]));
    if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      std::fprintf(stderr, "cannot write %s\n", argv[5]);
      return 1;
    }
    stamp.write(QByteArray::number(rendered) + " images\n");
  }
  return 0;
}
