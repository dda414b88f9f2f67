#pragma once

#include <QLineEdit>
#include <QString>

// The one-line editor that the details view lays over a name for a rename or
// a new folder. While it edits it watches the whole program: Enter commits,
// Esc cancels, a click outside commits, Tab does nothing. "/" and "\\" are
// taken back as they are typed or pasted.
class VexoLineEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit VexoLineEditor(const QString& text, QWidget* parent = nullptr);

    // The text an Esc gives back.
    void setText(const QString& text);
    void startEdit();
    void stopEdit();

signals:
    void sigEndEdit(QString text, bool esc);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void slotTextChanged();

private:
    QString m_text;
    bool m_filtering = false;
};
