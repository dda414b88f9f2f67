#pragma once
// The rows of the settings window: one widget per saved connection.
#include <QListWidget>
#include <QWidget>

#include "connection-info.h"

class QLabel;
class QVBoxLayout;

class ConnectionItemWidget : public QWidget {
public:
    ConnectionItemWidget(const ConnectionInfo& info, QWidget* parent = nullptr);
    void updateConnectionInfo(const ConnectionInfo& info);
    const ConnectionInfo& getConnectionInfo() const { return m_connection_info; }
    void setSelected(bool selected);
    bool isSelected() const { return m_is_selected; }
    QString nameText() const;
    QLabel* usernameLabel() const { return m_username_label; }

private:
    void updateStyle();

    ConnectionInfo m_connection_info;
    QVBoxLayout* m_main_v_layout = nullptr;
    QLabel* m_xr_label = nullptr;
    QLabel* m_username_label = nullptr;
    bool m_is_selected = false;
};

// Mouse moves neither select rows nor start drags.
class ConnectionListWidget : public QListWidget {
public:
    explicit ConnectionListWidget(QWidget* parent = nullptr) : QListWidget(parent) {}

protected:
    void mouseMoveEvent(QMouseEvent*) override {}
};
