#pragma once

#include <QMimeData>

// The mime data of a drag to the file manager; the bridge sets only its URL list.
class FileMimeData : public QMimeData {
    Q_OBJECT
public:
    FileMimeData();
    ~FileMimeData() override;
};
