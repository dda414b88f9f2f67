#include "queue-page.h"

#include <QIcon>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "base-queue.h"
#include "dpi_info.h"
#include "full-queue.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "simple-queue.h"
#include "str_table.h"
#include "style_manager.h"
#include "top-tool-bar.h"
#include "windows-top-frame.h"

namespace {

const int kRefreshMs = 1000;

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

}  // namespace

QueuePage::QueuePage(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(StrTable::LoadStr(StrTable::window_title_queue));
    setWindowIcon(QIcon(getGlobalImage("app_img", ImageManager::IT_NORMAL)));
    initialize();
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &QueuePage::slotUpdateQueue);
    connect(this, &QueuePage::sigQueuePageHidden, GlobalConnecter::getInstance(),
            &GlobalConnecter::sigQueuePageHidden);
}

void QueuePage::initialize()
{
    QPalette page_palette = palette();
    page_palette.setBrush(QPalette::All, backgroundRole(), QBrush(QColor(QStringLiteral("white"))));
    setPalette(page_palette);

    m_top_tool_bar = new TopToolBar(nullptr);
    m_top_tool_bar->setFullMode(false);
    m_top_tool_bar->setFixedHeight(scaled(45));

    auto* container = new QWidget();
    auto* container_layout = new QVBoxLayout(container);
    container_layout->setSpacing(0);
    container_layout->setContentsMargins(0, 0, 0, 0);
    container_layout->addWidget(m_top_tool_bar);
    container->setStyleSheet(getStyleSheet("transfer_top_tool_bar", false));

    m_full_queue = new FullQueue(nullptr);
    m_simple_queue = new SimpleQueue(nullptr);
    m_stack = new QStackedWidget();
    m_stack->addWidget(m_simple_queue);
    m_stack->addWidget(m_full_queue);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    addWindowsTopFrame(m_main_v_layout);
    m_main_v_layout->addWidget(container, 0);
    m_main_v_layout->addWidget(m_stack, 1);

    setFixedSize(scaled(280), scaled(476));
    connect(m_top_tool_bar, &TopToolBar::sigModeChanged, this, &QueuePage::slotModeChanged);
}

void QueuePage::showEvent(QShowEvent* event)
{
    m_timer->start(kRefreshMs);
    QWidget::showEvent(event);
}

void QueuePage::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    emit sigQueuePageHidden();
    QWidget::hideEvent(event);
}

void QueuePage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    QWidget::keyPressEvent(event);
}

void QueuePage::slotUpdateQueue()
{
    updateQueue();
}

void QueuePage::updateQueue()
{
    if (isHidden())
        return;
    if (auto* view = qobject_cast<BaseQueue*>(m_stack->currentWidget()))
        view->reloadTasks();
}

void QueuePage::slotModeChanged(bool is_full_mode)
{
    if (is_full_mode) {
        setFixedSize(scaled(900), scaled(476));
        m_stack->setCurrentWidget(m_full_queue);
    } else {
        setFixedSize(scaled(280), scaled(476));
        m_stack->setCurrentWidget(m_simple_queue);
    }
}
