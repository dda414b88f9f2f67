#include "log-page.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "db-util.h"
#include "dpi_info.h"
#include "image_manager.h"
#include "log-filter-menu.h"
#include "misc-log-widget.h"
#include "str_table.h"
#include "transfer-log-widget.h"
#include "vexo_combo_box.h"
#include "vexo_filter_bar.h"
#include "windows-top-frame.h"

namespace {

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

}  // namespace

LogPage::LogPage(QWidget* parent) : QWidget(parent)
{
    initialize();
}

LogPage::~LogPage()
{
    delete m_filter;
    m_filter = nullptr;
}

void LogPage::initialize()
{
    setWindowTitle(StrTable::LoadStr(StrTable::window_title_log));
    setWindowIcon(QIcon(getGlobalImage("app_img", 0)));
    resize(scaled(900), scaled(600));
    QPalette page_palette = palette();
    page_palette.setBrush(QPalette::All, backgroundRole(), QBrush(QColor(Qt::white)));
    setPalette(page_palette);
    setAutoFillBackground(true);

    m_filter = new LogFilter();
    m_misc_log_widget = new MiscLogWidget(m_filter);
    m_transfer_log_widget = new TransferLogWidget(m_filter);
    m_stack = new QStackedWidget();
    m_stack->addWidget(m_misc_log_widget);
    m_stack->addWidget(m_transfer_log_widget);

    m_view_selector = new VexoComboBox(nullptr);
    m_view_selector->addItem(StrTable::LoadStr(StrTable::log_type_misc),
                             QVariant::fromValue<QWidget*>(m_misc_log_widget));
    m_view_selector->addItem(StrTable::LoadStr(StrTable::log_type_transfer),
                             QVariant::fromValue<QWidget*>(m_transfer_log_widget));
    m_view_selector->setFixedSize(scaled(200), scaled(28));
    connect(m_view_selector, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &LogPage::slotLogPageChanged);

    m_filter_bar = new VexoFilterBar(nullptr);
    m_filter_bar->setFixedWidth(scaled(212));
    connect(m_filter_bar, &VexoFilterBar::sigKeywordChanged, this, &LogPage::slotKeywordChanged);

    // The bar owns the menu from here on and deletes it with itself.
    m_filter_menu = new LogFilterMenu(m_filter, nullptr);
    m_filter_bar->setMenu(m_filter_menu);
    connect(m_filter_menu, &LogFilterMenu::sigLogFilterChanged, this, &LogPage::slotLogFilterChanged);

    m_top_h_layout = new QHBoxLayout();
    m_top_h_layout->setSpacing(scaled(12));
    m_top_h_layout->setContentsMargins(0, 0, 0, 0);
    m_top_h_layout->addStretch(1);
    m_top_h_layout->addWidget(m_view_selector);
    m_top_h_layout->addWidget(m_filter_bar);

    m_main_v_layout = new QVBoxLayout();
    m_main_v_layout->setSpacing(scaled(10));
    m_main_v_layout->setContentsMargins(scaled(10), scaled(12), scaled(10), scaled(12));
    m_main_v_layout->addLayout(m_top_h_layout);
    m_main_v_layout->addWidget(m_stack);

    m_top_border_v_layout = new QVBoxLayout(this);
    m_top_border_v_layout->setSpacing(0);
    m_top_border_v_layout->setContentsMargins(0, 0, 0, 0);
    addWindowsTopFrame(m_top_border_v_layout);
    m_top_border_v_layout->addLayout(m_main_v_layout);

    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
}

BaseLogWidget* LogPage::currentView() const
{
    // The base has no meta-object of its own: the items carry the views as
    // widgets.
    auto* view = dynamic_cast<BaseLogWidget*>(m_view_selector->currentData(Qt::UserRole).value<QWidget*>());
    return view ? view : m_misc_log_widget;
}

void LogPage::changePage()
{
    m_filter_bar->setText(QString());
    m_filter->clear();
    BaseLogWidget* view = currentView();
    view->reset();
    std::vector<int> types;
    if (view == m_transfer_log_widget)
        types = {LOG_UPLOAD, LOG_DOWNLOAD};
    else
        types = {LOG_LOGIN, LOG_RENAME, LOG_COPY, LOG_REMOVE, LOG_MKDIR, LOG_UPLOAD, LOG_DOWNLOAD};
    m_filter_menu->setValidTypes(types);
    m_stack->setCurrentWidget(view);
}

void LogPage::slotLogPageChanged()
{
    changePage();
}

void LogPage::slotKeywordChanged(QString keyword)
{
    m_filter->keyword = keyword;
    currentView()->reset();
}

void LogPage::slotLogFilterChanged()
{
    m_filter_bar->setText(m_filter->keyword);
    currentView()->reset();
}

void LogPage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    QWidget::keyPressEvent(event);
}

void LogPage::showEvent(QShowEvent* event)
{
    // Opening always starts on the event log with an empty filter; when the
    // index was 1 the selector's own signal runs the same page change once more.
    m_view_selector->setCurrentIndex(0);
    changePage();
    QWidget::showEvent(event);
}
