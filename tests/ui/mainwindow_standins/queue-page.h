#pragma once
// Until the Task Manager lands: its window.
#include <QWidget>

class QueuePage : public QWidget {
    Q_OBJECT
public:
    explicit QueuePage(QWidget* parent = nullptr) : QWidget(parent) { resize(400, 300); }
};
