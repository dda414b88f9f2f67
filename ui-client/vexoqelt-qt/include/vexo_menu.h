#pragma once
#include <QMenu>

// A pop-up menu that can hold a layout of widgets. Its line edits take the
// keys; Enter in them does not close it; Escape does.
class VexoMenu : public QMenu {
    Q_OBJECT
public:
    explicit VexoMenu(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Installed on a menu that holds widgets: a click inside the menu's panel
// (outside any action) does not close it.
class MouseReleaseFilter : public QObject {
    Q_OBJECT
public:
    explicit MouseReleaseFilter(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
