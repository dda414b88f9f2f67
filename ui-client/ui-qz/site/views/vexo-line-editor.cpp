#include "vexo-line-editor.h"

#include <QApplication>
#include <QFontMetrics>
#include <QRegExp>

#include "site-edit-filter.h"
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

void VexoLineEditor::startEdit() { siteviews::beginEdit(this, m_filtering); }

void VexoLineEditor::stopEdit() { siteviews::finishEdit(this, m_filtering); }

bool VexoLineEditor::eventFilter(QObject* watched, QEvent* event)
{
    return siteviews::filterEditEvent(this, m_text, watched, event);
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
