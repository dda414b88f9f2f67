#pragma once
#include <QPointer>
#include <QWidget>

class QLineEdit;
class QMenu;
class QToolButton;

// A keyword box with a button that pops a menu below the bar.
class VexoFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit VexoFilterBar(QWidget* parent = nullptr);
    ~VexoFilterBar() override;

    // The bar takes the menu and deletes it with itself.
    void setMenu(QMenu* menu);
    QMenu* menu() const { return m_menu; }
    // Sets the keyword without emitting sigKeywordChanged.
    void setText(const QString& text);
    QString text() const;
    // Marks the menu button while conditions of the menu apply, so that a
    // filtered listing shows why once the menu has closed.
    void setMenuActive(bool active);
    bool isMenuActive() const;
    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* menuButton() const { return m_button; }

signals:
    // Each edit the user makes, with the new keyword.
    void sigKeywordChanged(QString keyword);

private slots:
    void slotShowMenu();

private:
    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
    QPointer<QMenu> m_menu;
};
