#pragma once
#include "vexo_sheet.h"

class QLabel;
class QLineEdit;

// A sheet asking for one line of text: a text, a line edit, Ok and Cancel.
// Enter is Ok, Escape is Cancel (QMessageBox::Discard).
class VexoInputSheet : public VexoSheet {
    Q_OBJECT
public:
    VexoInputSheet(const QString& text, QWidget* parent = nullptr);

    QLineEdit* getLineEdit() const { return m_edit; }
    // The line edit's text as the user left it.
    QString getContent() const;
    QString text() const { return m_text; }

    QPushButton* button(int standard_button) const override;
    void describe(SheetRequest& request) const override;
    void showSheet() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_text;
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
