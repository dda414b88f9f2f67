#pragma once

#include <QString>
#include <QTextEdit>

// The wrapping editor that the icon view lays over a tile's name for a
// rename or a new folder: 80 pixels wide, growing by lines from 24 to 120
// pixels high. While it edits it watches the whole program like the
// details view's line editor; a typed or pasted "/", "\\" or line break
// is taken out again, and nothing else is.
class VexoTextEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit VexoTextEditor(const QString& text, QWidget* parent = nullptr);

    // The text an Esc gives back.
    void setText(const QString& text);
    QString text() const { return toPlainText(); }
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
