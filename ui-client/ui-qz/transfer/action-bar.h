#pragma once

#include <QWidget>

#include <map>

class QHBoxLayout;
class QLabel;
class QSignalMapper;
class VexoIconButton;

// The queue's action buttons. It only reports clicks (the hub's
// sigTransferActionButtonClicked) and shows the enable state the queue views
// send through the hub's sigUpdateActionBarButton.
class ActionBar : public QWidget {
    Q_OBJECT
public:
    enum ButtonAction {
        BA_START = 0,
        BA_PAUSE = 1,
        BA_CLEAR = 2,
        BA_MOVEUP = 3,
        BA_MOVEDOWN = 4,
        BA_MOVETOTOP = 5,
        BA_MOVETOBOTTOM = 6,
        BA_MAX = 7,
    };

    explicit ActionBar(QWidget* parent = nullptr);

    VexoIconButton* button(int action) const;

public slots:
    // A missing key disables its button.
    void slotUpdateActionBarButton(std::map<int, bool> map);

private:
    void initialize();

    QLabel* m_separator = nullptr;
    VexoIconButton* m_buttons[BA_MAX] = {};
    QSignalMapper* m_sig_mapper = nullptr;
    QHBoxLayout* m_main_h_layout = nullptr;
};
