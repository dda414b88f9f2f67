#include "vexo-text-editor.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

#include "dpi_info.h"
#include "site-edit-filter.h"
#include "site-table-cells.h"

VexoTextEditor::VexoTextEditor(const QString& text, QWidget* parent) : QTextEdit(parent), m_text(text)
{
    setAcceptRichText(false);
    setPlainText(text);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::ClickFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setFixedWidth(scaledPixels(80));
    setFixedHeight(scaledPixels(24));
    connect(this, &QTextEdit::textChanged, this, &VexoTextEditor::slotTextChanged);
}

void VexoTextEditor::setText(const QString& text)
{
    m_text = text;
    setPlainText(text);
}

void VexoTextEditor::startEdit() { siteviews::beginEdit(this, m_filtering); }

void VexoTextEditor::stopEdit() { siteviews::finishEdit(this, m_filtering); }

bool VexoTextEditor::eventFilter(QObject* watched, QEvent* event)
{
    return siteviews::filterEditEvent(this, m_text, watched, event);
}

void VexoTextEditor::slotTextChanged()
{
    // A line break is no part of a name either (a pasted text may hold one).
    static const QRegularExpression kRefused(QStringLiteral("[\\\\/\\n\\r\\x{2029}\\x{2028}]"));
    if (text().contains(kRefused)) {
        // Only the refused characters go: an undo step of typed text may
        // hold a whole word before them.
        int position = textCursor().position();
        QString clean = text();
        position -= clean.left(position).count(kRefused);
        clean.remove(kRefused);
        const bool blocked = blockSignals(true);
        setPlainText(clean);
        blockSignals(blocked);
        QTextCursor cursor = textCursor();
        cursor.setPosition(qBound(0, position, clean.size()));
        setTextCursor(cursor);
    }
    const double dpi = DPIinfo::getInstance()->getDPI();
    document()->setTextWidth(viewport()->width());
    int h = static_cast<int>(std::trunc(document()->size().height() / dpi + 1));
    h = qBound(24, h, 120);
    setFixedHeight(static_cast<int>(std::trunc(dpi * h)));
    const bool blocked = blockSignals(true);
    setAlignment(Qt::AlignCenter);
    blockSignals(blocked);
}
