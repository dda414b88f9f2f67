#include "vexo-line-editor.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegExp>

#include "site-table-cells.h"

VexoLineEditor::VexoLineEditor(const QString& text, QWidget* parent) : QLineEdit(text, parent), m_text(text)
{
    setAlignment(Qt::AlignLeft);
    setFocusPolicy(Qt::ClickFocus);
    setFixedHeight(scaledPixels(27));
    connect(this, &QLineEdit::textChanged, this, &VexoLineEditor::slotTextChanged);
}

void VexoLineEditor::setText(const QString& text)
{
    m_text = text;
    QLineEdit::setText(text);
}

void VexoLineEditor::startEdit()
{
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void VexoLineEditor::stopEdit()
{
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    hide();
}

bool VexoLineEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (!isVisible())
        return QLineEdit::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!rect().contains(mapFromGlobal(mouse->globalPos())))
            emit sigEndEdit(text(), false);
        return false;  // the click still selects what it hit
    }
    case QEvent::KeyPress: {
        // Every key press passes here once per object on its way; act on
        // the first object only (the editor itself has the focus).
        if (watched != this)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit sigEndEdit(text(), false);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            emit sigEndEdit(m_text, true);
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return true;
        return false;
    }
    case QEvent::ShortcutOverride:
        // Enter, Esc and Tab belong to the editor while it edits.
        if (watched == this) {
            const int k = static_cast<QKeyEvent*>(event)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Tab) {
                event->accept();
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

void VexoLineEditor::slotTextChanged()
{
    static const QRegExp kSeparators(QStringLiteral("[\\\\/]"));
    if (text().contains(kSeparators)) {
        // Typed or pasted, each separator goes and nothing else does (a
        // plain backspace would eat the wrong character after a paste).
        const int cursor = cursorPosition();
        const int removed_before = text().left(cursor).count(kSeparators);
        QString clean = text();
        clean.remove(kSeparators);
        QLineEdit::setText(clean);
        setCursorPosition(cursor - removed_before);
        return;
    }
    int w = QFontMetrics(QApplication::font()).horizontalAdvance(text());
    w = qBound(120, w, 300);
    setFixedWidth(scaledPixels(w));
    const bool blocked = blockSignals(true);
    setAlignment(Qt::AlignLeft);
    blockSignals(blocked);
}
