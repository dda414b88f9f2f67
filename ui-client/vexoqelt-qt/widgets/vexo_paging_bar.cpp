#include "vexo_paging_bar.h"

#include <QVariant>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "library_services.h"

namespace {
constexpr int kPagesShown = 5;  // page numbers shown at once; also the jump of "5 pages"
}

VexoPagingModel::VexoPagingModel(int row_limit, QObject* parent)
    : QObject(parent), m_row_limit(row_limit > 0 ? row_limit : 1)
{
}

void VexoPagingModel::setNowPage(int page)
{
    page = qMax(1, page);
    if (page == m_now_page)
        return;
    m_now_page = page;
    emit sigNowPageChanged(page);
}

VexoPagingBar::VexoPagingBar(VexoPagingModel* model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto make_tool = [this](QStyle::StandardPixmap icon, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(tip);
        button->setAutoRaise(true);
        button->setFixedSize(vexo::scaled(24), vexo::scaled(24));
        return button;
    };
    m_first = make_tool(QStyle::SP_MediaSkipBackward, vexo::componentString("first_page", "First Page"));
    m_prev5 = make_tool(QStyle::SP_MediaSeekBackward, vexo::componentString("prev_5_pages", "Previous 5 pages"));
    m_next5 = make_tool(QStyle::SP_MediaSeekForward, vexo::componentString("next_5_pages", "Next 5 pages"));
    m_last = make_tool(QStyle::SP_MediaSkipForward, vexo::componentString("last_page", "Last Page"));
    m_refresh = make_tool(QStyle::SP_BrowserReload, QString());
    m_first->setObjectName(QStringLiteral("paging_first"));
    m_prev5->setObjectName(QStringLiteral("paging_prev5"));
    m_next5->setObjectName(QStringLiteral("paging_next5"));
    m_last->setObjectName(QStringLiteral("paging_last"));
    m_refresh->setObjectName(QStringLiteral("paging_refresh"));

    m_page_layout = new QHBoxLayout;
    m_page_layout->setContentsMargins(0, 0, 0, 0);
    m_page_layout->setSpacing(vexo::scaled(2));
    for (int i = 0; i < kPagesShown; ++i) {
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        button->setFlat(true);
        button->setAutoDefault(false);
        button->setMinimumSize(vexo::scaled(24), vexo::scaled(24));
        connect(button, &QPushButton::clicked, this, [this, button] {
            choosePage(button->property("page").toInt());
        });
        m_page_buttons.append(button);
        m_page_layout->addWidget(button);
    }
    m_footer_layout = new QHBoxLayout;
    m_footer_layout->setContentsMargins(0, 0, 0, 0);
    m_footer_layout->setSpacing(vexo::scaled(8));

    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(vexo::componentStyleSheet("component.paging_bar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(vexo::scaled(8), vexo::scaled(4), vexo::scaled(8), vexo::scaled(4));
    layout->setSpacing(vexo::scaled(4));
    layout->addWidget(m_first);
    layout->addWidget(m_prev5);
    layout->addLayout(m_page_layout);
    layout->addWidget(m_next5);
    layout->addWidget(m_last);
    layout->addWidget(m_refresh);
    layout->addStretch(1);
    layout->addLayout(m_footer_layout);

    connect(m_first, &QToolButton::clicked, this, [this] { choosePage(1); });
    connect(m_prev5, &QToolButton::clicked, this, [this] { choosePage(m_model->nowPage() - kPagesShown); });
    connect(m_next5, &QToolButton::clicked, this, [this] { choosePage(m_model->nowPage() + kPagesShown); });
    connect(m_last, &QToolButton::clicked, this, [this] { choosePage(pageCount()); });
    connect(m_refresh, &QToolButton::clicked, this, &VexoPagingBar::sigRefresh);
    if (m_model)
        connect(m_model, &VexoPagingModel::sigNowPageChanged, this, &VexoPagingBar::refreshButtons);
    refreshButtons();
}

int VexoPagingBar::pageCount() const
{
    if (!m_model || m_item_count <= 0)
        return 1;
    const int limit = m_model->rowLimit();
    return m_item_count / limit + (m_item_count % limit ? 1 : 0);
}

void VexoPagingBar::reset()
{
    m_item_count = 0;
    if (m_model)
        m_model->setNowPage(1);
    refreshButtons();
}

void VexoPagingBar::setItemCount(int count)
{
    m_item_count = qMax(0, count);
    if (m_model && m_model->nowPage() > pageCount())
        m_model->setNowPage(pageCount());
    refreshButtons();
}

void VexoPagingBar::choosePage(int page)
{
    if (!m_model)
        return;
    page = qBound(1, page, pageCount());
    if (page == m_model->nowPage()) {
        refreshButtons();  // a click on the current page only re-checks its button
        return;
    }
    m_model->setNowPage(page);
    refreshButtons();
    emit sigPageChanged();
}

QList<int> VexoPagingBar::shownPages() const
{
    QList<int> pages;
    for (QPushButton* button : m_page_buttons) {
        if (!button->isHidden())
            pages.append(button->property("page").toInt());
    }
    return pages;
}

QPushButton* VexoPagingBar::pageButton(int page) const
{
    for (QPushButton* button : m_page_buttons) {
        if (!button->isHidden() && button->property("page").toInt() == page)
            return button;
    }
    return nullptr;
}

void VexoPagingBar::refreshButtons()
{
    const int count = pageCount();
    const int now = m_model ? qBound(1, m_model->nowPage(), count) : 1;
    // Pages are shown in groups of five: 1-5, 6-10, ...
    const int group_start = ((now - 1) / kPagesShown) * kPagesShown + 1;
    for (int i = 0; i < m_page_buttons.size(); ++i) {
        QPushButton* button = m_page_buttons[i];
        const int page = group_start + i;
        button->setProperty("page", page);
        button->setText(QString::number(page));
        button->setChecked(page == now);
        button->setHidden(page > count);
    }
    m_first->setEnabled(now > 1);
    m_prev5->setEnabled(now > 1);
    m_next5->setEnabled(now < count);
    m_last->setEnabled(now < count);
}

void VexoPagingBar::clearFooter()
{
    for (QLabel* label : qAsConst(m_footer_labels))
        delete label;
    m_footer_labels.clear();
}

void VexoPagingBar::setFooterText(const QString& text)
{
    clearFooter();
    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    m_footer_layout->addWidget(label);
    m_footer_labels.append(label);
}

void VexoPagingBar::setFooterInfos(const std::vector<PagingFooterInfo>& infos)
{
    clearFooter();
    for (const PagingFooterInfo& info : infos) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(info.text);
        if (info.width > 0)
            label->setFixedWidth(vexo::scaled(info.width));
        m_footer_layout->addWidget(label);
        m_footer_labels.append(label);
    }
}

void VexoPagingBar::setRefreshButtonHidden(bool hidden)
{
    m_refresh->setHidden(hidden);
}
