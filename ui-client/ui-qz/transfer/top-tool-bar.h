#pragma once

#include <QString>
#include <QWidget>

class ActionBar;
class QHBoxLayout;
class VexoComboBox;
class VexoIconButton;

// The Task Manager's tool bar: the action bar, the site filter of the full
// view ("All Transfers" or one user at one server) and the mode switch.
class TopToolBar : public QWidget {
    Q_OBJECT
public:
    explicit TopToolBar(QWidget* parent = nullptr);

    // Shows the filter in full mode only; the mode button shows the mode it switches to.
    void setFullMode(bool full);
    bool isFullMode() const { return m_full_mode; }

    ActionBar* actionBar() const { return m_action_bar; }
    VexoComboBox* siteFilter() const { return m_xr_filter; }
    VexoIconButton* windowButton() const { return m_window_button; }

signals:
    void sigModeChanged(bool is_full_mode);
    // Relayed to the hub's signal of the same name.
    void sigTopToolBarItemChange(QString text);

public slots:
    // Brings the filter's items in line with the logged-in sites.
    void slotUpdateTopToolBar();
    void slotWindowButtonClicked();

private:
    void initialize();

    QHBoxLayout* m_main_h_layout = nullptr;
    ActionBar* m_action_bar = nullptr;
    VexoComboBox* m_xr_filter = nullptr;
    VexoIconButton* m_window_button = nullptr;
    bool m_full_mode = false;
};
