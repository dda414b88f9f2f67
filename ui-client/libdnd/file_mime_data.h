#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QStringList>

#include <functional>

// The mime data of a drag to the file manager: the marker folder's URL list,
// and, once a save handler is set, the X direct-save type. A file manager
// that speaks direct save then never sees the URL list: offered beside it,
// the URL list would be taken first (Thunar's order) and the empty marker
// folder copied instead of the download. The program's own views still
// find the URLs (hasFormat, urls).
class FileMimeData : public QMimeData {
    Q_OBJECT
public:
    // Answers a direct-save request: "S", "F" or "E".
    typedef std::function<QByteArray()> SaveHandler;

    FileMimeData();
    ~FileMimeData() override;

    void setSaveHandler(SaveHandler handler);

    QStringList formats() const override;
    bool hasFormat(const QString& mimetype) const override;

protected:
    QVariant retrieveData(const QString& mimetype, QVariant::Type preferredType) const override;

private:
    SaveHandler m_save_handler;
};
