#include "main-window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>

#include "central-widget.h"
#include "file-op-ex.h"
#include "dnd_manager.h"
#include "event-error-text.h"
#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "main-window-keys.h"
#include "site-path.h"
#include "str_table.h"
#include "user-action-cache.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"

namespace {

std::function<uint64_t()>& clockSeam()
{
    static std::function<uint64_t()> clock;
    return clock;
}

uint64_t nowMs()
{
    return clockSeam() ? clockSeam()() : cross::getMillisecondTimestamp();
}

const QColor kDimColor(0, 0, 0, 20);

}  // namespace

void MainWindow::setClockForTest(std::function<uint64_t()> clock)
{
    clockSeam() = std::move(clock);
}

MainWindow::MainWindow(QWidget* parent, Qt::WindowFlags) : QMainWindow(parent, Qt::WindowFlags())
{
    setAcceptDrops(true);
    setWindowTitle(StrTable::LoadStr(StrTable::app_name));
    initialize();
}

MainWindow::~MainWindow() = default;

void MainWindow::initialize()
{
    QPalette pal = palette();
    pal.setBrush(QPalette::All, backgroundRole(), QBrush(QColor(QStringLiteral("white")), Qt::SolidPattern));
    setPalette(pal);

    m_central_widget = new CentralWidget;
    setCentralWidget(m_central_widget);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &MainWindow::sigActionClicked, hub, &GlobalConnecter::sigActionClicked);
    connect(hub, &GlobalConnecter::sigConnectSiteDone, this, &MainWindow::slotConnectSiteDone);
    DndManager::getInstance()->initialize();
    connect(DndManager::getInstance(), &DndManager::sigDndFinished, this, &MainWindow::slotDndFinished);
    connect(this, &MainWindow::sigTransferTaskAdded, hub, &GlobalConnecter::sigTransferTaskAdded);
    connect(this, &MainWindow::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(hub, &GlobalConnecter::sigHandleEventDone, this, &MainWindow::slotHandleEventDone);
    connect(hub, &GlobalConnecter::sigBlockKeyPress, this, &MainWindow::slotBlockKeyPress);
    connect(this, &MainWindow::sigCloseAllPeers, hub, &GlobalConnecter::sigCloseAllPeers);
    connect(hub, &GlobalConnecter::sigCloseAllPeersDone, this, &MainWindow::slotCloseAllPeersDone);
    connect(this, &MainWindow::sigHandleEventDoneUpdateUI, hub, &GlobalConnecter::sigHandleEventDoneUpdateUI);
    connect(this, &MainWindow::sigShowEggWindow, hub, &GlobalConnecter::sigShowEggWindow);

    m_block_key_press = false;
}

void MainWindow::slotBlockKeyPress(bool enable)
{
    m_block_key_press = enable;
}

void MainWindow::slotCloseAllPeersDone()
{
    m_closing = true;
    QApplication::closeAllWindows();
    // This window is hidden, and with no other window open no close ends
    // the loop by itself.
    QCoreApplication::quit();
}

void MainWindow::slotConnectSiteDone(uint64_t peer_id)
{
    if (!m_central_widget->handleConnectSiteDone(peer_id))
        return;
    Event event;
    EventGenerator().createEventFromSetUdp(event, peer_id);
    const uint32_t id = EventManager::getInstance()->pushEvent(event);
    event.id = id;
    emit sigEventAdded(id);
    show();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (m_block_key_press)
        return;
    if (event->key() == Qt::Key_F12) {
        if (completesKeyPair(m_egg_time, nowMs()))
            emit sigShowEggWindow();
        return;
    }
    const int action = userActionForKey(event);
    if (action >= 0)
        emit sigActionClicked(action);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    auto* sheet = new VexoMessageSheet(VexoMessageSheet::Confirming, StrTable::LoadStr(StrTable::close_app_hint), this);
    VexoMask::createMask(sheet, window(), kDimColor);
    sheet->button(QMessageBox::Ok)->setText(StrTable::LoadStr(StrTable::button_ok));
    sheet->button(QMessageBox::Discard)->setText(StrTable::LoadStr(StrTable::button_cancel));
    const int answer = sheet->exec();
    sheet->deleteLater();
    // Either way the close itself is refused: an accepted close of the last
    // window would end the event loop before the sites have closed. Agreed,
    // the window hides and slotCloseAllPeersDone ends the program.
    event->ignore();
    if (answer == QMessageBox::Ok) {
        m_closing = true;
        hide();
        emit sigCloseAllPeers();
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    // Files dropped on a site's views are taken there; the window itself
    // acts on no drop.
    QMainWindow::dropEvent(event);
}

void MainWindow::slotHandleEventDone(unsigned int id)
{
    EventManager* events = EventManager::getInstance();
    const EventStatus status = events->getStatus(id);
    if (status.error == 0) {
        emit sigHandleEventDoneUpdateUI(id);
        return;
    }
    Event event;
    if (events->getEvent(id, event) < 0)
        return;
    QString text;
    const bool has_message = eventErrorText(event, status.error, text);
    emit sigHandleEventDoneUpdateUI(id);
    if (!has_message)
        return;
    // Names and reasons come from the server: shown literally, never as markup.
    QString shown = text.toHtmlEscaped();
    if (!status.reason.empty())
        shown += QStringLiteral("<br>") +
                 StrTable::LoadStr(StrTable::error_server_reason).arg(QString::fromStdString(status.reason)).toHtmlEscaped();
    m_error_queue.append(shown);
    showError();
}

void MainWindow::showError()
{
    if (m_error_visible || m_error_queue.isEmpty())
        return;
    m_error_visible = true;
    const QString text = m_error_queue.takeFirst();
    auto* sheet = new VexoMessageSheet(VexoMessageSheet::Warning, text, this);
    VexoMask::createMask(sheet, window(), kDimColor);
    sheet->exec();
    sheet->deleteLater();
    m_error_visible = false;
    showError();
}

void MainWindow::slotDndFinished(QString path)
{
    uint64_t peer_id = 0;
    SiteSelectedInfo selection;
    if (UserActionCache::getInstance()->getDragInfo(peer_id, selection) < 0)
        return;
    if (path.isEmpty())
        return;

    const QString rule(24, QLatin1Char('='));
    qDebug().noquote() << rule;
    qDebug().noquote() << "Drag from:" << peer_id << "," << selection.toString();
    qDebug().noquote() << "Drag to:" << path;
    qDebug().noquote() << rule;

    QString last_name;
    bool last_is_dir = false;
    for (const NodeInfo& child : selection.children) {
        Event event;
        const QString destination = combineIdPath(uint64_t(0), resolveSmbPath(path));
        const QString source = combinePath(selection.parent, child.name);
        if (EventGenerator().createCopyEventFromPaths(event, peer_id, source, destination) < 0)
            continue;
        event.source_is_dir = child.type == FT_DIR;
        const uint32_t id = EventManager::getInstance()->pushEvent(event);
        event.id = id;
        emit sigEventAdded(id);
        last_name = event.names.empty() ? QString() : QString::fromStdString(event.names.front());
        last_is_dir = event.source_is_dir;
    }
    if (selection.children.isEmpty())
        return;
    emit sigTransferTaskAdded(last_name, last_is_dir, selection.children.size() > 1);
}
