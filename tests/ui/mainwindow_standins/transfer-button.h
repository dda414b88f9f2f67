#pragma once
// Until the Task Manager lands: its button with the interface the main window uses.
#include <QPushButton>

class TransferButton : public QPushButton {
    Q_OBJECT
public:
    explicit TransferButton(QWidget* parent = nullptr) : QPushButton(parent) {}
    void setAllIcon(const QString&) {}
    void setGif(const QString&) {}
    bool isToggled() const { return m_toggled; }
    void setToggled(bool t) { m_toggled = t; }
    void startGif() { m_gif = true; }
    void stopGif() { m_gif = false; }
    bool gifRunning() const { return m_gif; }
    void setPause(bool p) { m_pause = p; }
    bool isPaused() const { return m_pause; }
private:
    bool m_toggled = false;
    bool m_gif = false;
    bool m_pause = false;
};
