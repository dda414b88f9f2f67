#pragma once

#include <QHash>
#include <QMutex>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QStringList>

// The program's images by name, read from the "images" folder of the resource
// folder: "<name>.png" and the state images "<name>_hover.png",
// "<name>_click.png", "<name>_disable.png"; "<name>@2x.png" is preferred on a
// screen with a device pixel ratio above 1.
class ImageManager {
public:
  enum ImageType { IT_NORMAL = 0, IT_HOVER = 1, IT_CLICK = 2, IT_DISABLE = 3 };

  static ImageManager* getInstance();

  // Fixes the image folder from the path manager's "resource_path" (or the
  // program's folder + "/../resource") and forgets cached images. type: 0.
  // Returns 0, or -1 when the folder does not exist.
  int initialize(int type);
  // The folder of the program's images, without a trailing "/".
  QString getImageFolder() const;

  // The image name in state type (an ImageType). A missing state image falls
  // back to the normal one, greyed for IT_DISABLE. An unknown name gives an
  // empty pixmap and is recorded in missingNames().
  QPixmap getImage(const QString& name, int type);

  // Names asked for that have no image, in the order first asked.
  QStringList missingNames() const;
  void clearMissingNames();

  ImageManager(const ImageManager&) = delete;
  ImageManager& operator=(const ImageManager&) = delete;

private:
  ImageManager() = default;
  QString folderLocked() const;
  void recordMissingLocked(const QString& name);

  mutable QMutex m_mutex;  // the cache and the missing list
  QString m_folder;
  QHash<QString, QPixmap> m_cache;
  QStringList m_missing;
  QSet<QString> m_missing_set;
};

// The pixmap of a named image; type is an ImageManager::ImageType (0..3).
QPixmap getGlobalImage(const char* name, int type);
QPixmap getGlobalImage(const QString& name, int type);
