#pragma once
#include <QMessageBox>

#include "vexo_sheet.h"

class QLabel;
class QProgressBar;

// A sheet with a text, an icon and, by type, no button, Ok, or Ok and Discard.
// The text is rich text: callers escape what they did not write themselves.
class VexoMessageSheet : public VexoSheet {
    Q_OBJECT
public:
    enum MessageType {
        Processing = 0,               // no buttons, a busy mark
        Informing = 1,
        Warning = 2,                  // one button
        Confirming = 3,               // Ok and Discard
        Upgrading = 4,
        Error = 5,
        ProcessingWithAnimation = 6,  // as Processing
    };

    VexoMessageSheet(int type, const QString& text, QWidget* parent = nullptr);

    int messageType() const { return m_type; }
    QString text() const { return m_text; }
    void setText(const QString& text);
    // A line in bold above the text; empty hides it.
    void setTitle(const QString& title);
    QString title() const { return m_title; }
    // The picture beside the text; an empty one shows none.
    void setIcon(const QPixmap& icon);
    void setIcon(const QString& image_name);

    QPushButton* button(int standard_button) const override;
    void describe(SheetRequest& request) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool hasButtons() const;

    int m_type;
    QString m_text;
    QString m_title;
    QLabel* m_icon_label = nullptr;
    QLabel* m_title_label = nullptr;
    QLabel* m_text_label = nullptr;
    QProgressBar* m_busy = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_discard = nullptr;
};
