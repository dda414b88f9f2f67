#include "vexo_sheet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "library_services.h"
#include "sheet_responder.h"

int askSheetResponder(const SheetRequest& request);

VexoSheet::VexoSheet(QWidget* parent)
    : QFrame(parent), m_covered(parent)
{
    setObjectName(QStringLiteral("VexoSheetPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(vexo::componentStyleSheet("component.message_sheet"));
    if (parent) {
        hide();
        watchHost(parent);
    } else {
        // Without a window to cover, the sheet is a small modal window of its own.
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
        setWindowModality(Qt::ApplicationModal);
    }
}

VexoSheet::~VexoSheet()
{
    // No finished() from here: a deleted sheet reports nothing late.
    if (m_loop)
        m_loop->exit(QMessageBox::Cancel);
}

void VexoSheet::watchHost(QWidget* host)
{
    if (m_host)
        m_host->removeEventFilter(this);
    m_host = host;
    if (host)
        host->installEventFilter(this);
    if (m_covered && m_covered != host)
        m_covered->installEventFilter(this);
}

void VexoSheet::setBlockWindowButton(bool block)
{
    m_block_window = block;
    if (m_open && block && !m_blocked_window) {
        m_blocked_window = window();
        if (m_blocked_window != this)
            m_blocked_window->installEventFilter(this);
    }
}

void VexoSheet::showSheet()
{
    if (m_open) {
        raise();
        return;
    }
    m_open = true;
    m_result = QMessageBox::NoButton;
    ++m_generation;
    if (parentWidget()) {
        placeOverCovered();
        show();
        raise();
    } else {
        adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        show();
        raise();
        activateWindow();
    }
    setFocus(Qt::OtherFocusReason);
    if (m_block_window) {
        m_blocked_window = window();
        if (m_blocked_window && m_blocked_window != this)
            m_blocked_window->installEventFilter(this);
    }
    if (hasSheetResponder()) {
        const unsigned generation = m_generation;
        QTimer::singleShot(0, this, [this, generation] { askResponder(generation); });
    }
}

int VexoSheet::exec()
{
    if (m_loop)
        return QMessageBox::Cancel;  // already waiting on this sheet
    showSheet();
    if (!m_open)
        return m_result;
    QEventLoop loop;
    QPointer<VexoSheet> self(this);
    m_loop = &loop;
    const int code = loop.exec(QEventLoop::DialogExec);
    if (!self)
        return code;  // the sheet (or its parent) went away while waiting
    if (m_loop == &loop)
        m_loop = nullptr;
    return m_result;
}

void VexoSheet::quit()
{
    done(QMessageBox::Cancel);
}

void VexoSheet::done(int standard_button)
{
    if (!m_open)
        return;
    m_open = false;
    m_result = standard_button;
    ++m_generation;
    if (m_blocked_window && m_blocked_window != this)
        m_blocked_window->removeEventFilter(this);
    m_blocked_window = nullptr;
    hide();
    if (m_loop) {
        m_loop->exit(standard_button);
        m_loop = nullptr;  // answered: a deletion from a finished() slot must not change the answer
    }
    emit finished(standard_button);
}

void VexoSheet::describe(SheetRequest& request) const
{
    request.type = -1;
    for (int b : {int(QMessageBox::Ok), int(QMessageBox::Discard)}) {
        if (QPushButton* button = this->button(b)) {
            if (!button->isHidden())
                request.buttons.append(qMakePair(b, button->text()));
        }
    }
}

QPushButton* VexoSheet::button(int) const
{
    return nullptr;
}

void VexoSheet::askResponder(unsigned generation)
{
    if (!m_open || generation != m_generation)
        return;
    SheetRequest request;
    request.sheet = this;
    describe(request);
    QPointer<VexoSheet> self(this);
    const int answer = askSheetResponder(request);
    if (!self || !m_open || generation != m_generation || answer == 0)
        return;
    QPushButton* chosen = button(answer);
    if (chosen && (!chosen->isVisibleTo(this) || !chosen->isEnabled())) {
        // No user could press it: the sheet stays open, and the test that
        // asked for it waits in vain instead of passing.
        qWarning("sheet responder: button %d is %s; the sheet stays open", answer,
                 chosen->isEnabled() ? "hidden" : "disabled");
        return;
    }
    // A sheet without that button (a busy sheet) is closed with the answer.
    if (chosen)
        chosen->click();  // as a user would, so the caller's clicked() slots run too
    if (self && m_open && generation == m_generation)
        done(answer);
}

bool VexoSheet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_blocked_window && event->type() == QEvent::Close && m_open && m_block_window) {
        event->ignore();
        return true;
    }
    if ((watched == m_host || watched == m_covered) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        if (m_open && parentWidget())
            placeOverCovered();
    }
    return QFrame::eventFilter(watched, event);
}

void VexoSheet::closeEvent(QCloseEvent* event)
{
    // Closing the sheet's own window (or close() on it) answers like Escape.
    done(QMessageBox::Discard);
    event->accept();
}

void VexoSheet::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

bool VexoSheet::focusNextPrevChild(bool next)
{
    QWidget* current = focusWidget();
    if (!current || (current != this && !isAncestorOf(current)))
        current = this;
    QWidget* candidate = current;
    // Walk the focus chain, but only stop on widgets of this sheet.
    for (int steps = 0; steps < 1000; ++steps) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == current)
            return true;
        if ((candidate == this || isAncestorOf(candidate)) && candidate != this &&
            (candidate->focusPolicy() & Qt::TabFocus) && candidate->isVisibleTo(this) &&
            candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void VexoSheet::moveIntoHost(QWidget* host)
{
    QWidget* covered = parentWidget();
    if (!host || !covered || covered == host || !host->isAncestorOf(covered))
        return;
    const bool was_shown = m_open;
    setParent(host);
    watchHost(host);
    connect(covered, &QObject::destroyed, this, [this] { delete this; });
    if (was_shown) {
        placeOverCovered();
        show();
        raise();
    }
}

void VexoSheet::placeOverCovered()
{
    QWidget* host = parentWidget();
    if (!host)
        return;
    QRect area = host->rect();
    if (m_covered && m_covered != host && host->isAncestorOf(m_covered))
        area = QRect(m_covered->mapTo(host, QPoint(0, 0)), m_covered->size());
    const QSize hint = sizeHint();
    int w = minimumWidth() == maximumWidth() ? minimumWidth() : qMax(hint.width(), vexo::scaled(360));
    w = qMax(minimumWidth(), qMin(w, area.width() - vexo::scaled(20)));
    int h = hasHeightForWidth() ? heightForWidth(w) : hint.height();
    h = qMax(h, minimumSizeHint().height());
    const int x = area.x() + (area.width() - w) / 2;
    const int y = area.y() + qMax(0, (area.height() - h) / 3);
    setGeometry(x, y, w, h);
}
