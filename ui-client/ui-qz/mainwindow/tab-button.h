#pragma once
// One tab of the main window's row of sites: the certificate icon (or the
// disconnected icon), the site's name, elided to the width the row gives
// it, and a close button.
#include <QPushButton>
#include <QString>

class QFrame;
class QHBoxLayout;
class QLabel;
class VexoIconButton;

class TabButton : public QPushButton {
    Q_OBJECT
public:
    // The fixed parts of the row in base pixels: margins, icon, gap after
    // the icon, gap before the close button, close button.
    static constexpr int kFixedWidth = 14 + 16 + 6 + 10 + 24 + 3;

    TabButton(bool verified, QWidget* parent = nullptr);
    ~TabButton() override;

    void setName(const QString& name);
    // The width in base pixels that shows the whole name.
    int getFullWidth() const;
    // The width given by the row in base pixels; 0: no limit.
    void setMaxWidth(int width);
    void adjustWidth();
    void setSelected(bool selected);
    void setDisconnected(bool disconnected);
    void setVerified(bool verified);

    QString name() const { return m_name; }
    bool isSelected() const { return m_selected; }
    bool isDisconnected() const { return m_disconnected; }
    int maxWidth() const { return m_max_width; }
    QLabel* nameLabel() const { return m_name_label; }
    VexoIconButton* certificateButton() const { return m_certificate_button; }
    VexoIconButton* closeButton() const { return m_close_button; }
    QLabel* disconnectedLabel() const { return m_disconnected_label; }

signals:
    void sigCloseButtonClicked();
    void sigCertificateClicked();

private:
    QHBoxLayout* m_main_h_layout = nullptr;
    VexoIconButton* m_certificate_button = nullptr;
    QLabel* m_disconnected_label = nullptr;
    QFrame* m_spacing_frame = nullptr;
    QLabel* m_name_label = nullptr;
    VexoIconButton* m_close_button = nullptr;
    QString m_name;
    bool m_selected = false;
    bool m_disconnected = false;
    int m_max_width = 0;
};
