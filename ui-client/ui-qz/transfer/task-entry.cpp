#include "task-entry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "dpi_info.h"
#include "image_manager.h"
#include "progress-status-widget.h"
#include "queue-rules.h"
#include "site-display.h"
#include "str_table.h"
#include "style_manager.h"
#include "tool_tip.h"

namespace {

// The file name and, right-aligned beside it, its size or speed.
const int kNameWidth = 142;
const int kDescriptionWidth = 66;

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

void setTextIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

}  // namespace

TaskEntry::TaskEntry(QWidget* parent) : QWidget(parent)
{
    initialize();
}

void TaskEntry::initialize()
{
    setFixedSize(scaled(280), scaled(50));
    m_icon = new QLabel(this);

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("NAME"));
    m_name->setTextFormat(Qt::PlainText);
    m_name->setFixedSize(scaled(kNameWidth), scaled(20));

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("DESCRIPTION"));
    m_description->setTextFormat(Qt::PlainText);
    m_description->setAlignment(Qt::AlignRight);
    m_description->setFixedSize(scaled(kDescriptionWidth), scaled(20));

    m_file_h_layout = new QHBoxLayout();
    m_file_h_layout->setSpacing(scaled(8));
    m_file_h_layout->setContentsMargins(0, 0, 0, 0);
    m_file_h_layout->addWidget(m_name);
    m_file_h_layout->addWidget(m_description);

    m_progress_status = new ProgressStatusWidget(this);
    m_progress_status->setFullMode(false);

    m_center_v_layout = new QVBoxLayout();
    m_center_v_layout->setSpacing(0);
    m_center_v_layout->setContentsMargins(0, 0, 0, 0);
    m_center_v_layout->addLayout(m_file_h_layout);
    m_center_v_layout->addWidget(m_progress_status);

    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setSpacing(0);
    m_main_h_layout->setContentsMargins(scaled(4), scaled(6), scaled(12), scaled(6));
    m_main_h_layout->addSpacing(scaled(10));
    m_main_h_layout->addWidget(m_icon);
    m_main_h_layout->addSpacing(scaled(14));
    m_main_h_layout->addLayout(m_center_v_layout);

    setStyleSheet(getStyleSheet("simple_queue_entry", false));
}

void TaskEntry::setResumeInfo(const ResumeInfo& info)
{
    QString description;
    if (queue_rules::isRunning(info)) {
        uint64_t speed = 0;
        if (queue_rules::estimateSimpleSpeed(info, speed))
            description = getHumanReadableSize(static_cast<double>(speed)) + QStringLiteral("/s");
    } else {
        description = getHumanReadableSize(static_cast<double>(info.total));
    }
    setTextIfChanged(m_description, description);
    // A size or speed never loses a digit to a larger font: the name gives
    // up the room (the two share one line of fixed width).
    const int line = scaled(kNameWidth) + scaled(kDescriptionWidth);
    const int wanted = qMax(scaled(kDescriptionWidth), m_description->fontMetrics().horizontalAdvance(description));
    const int described = qMin(wanted, line / 2);
    if (m_description->width() != described) {
        m_description->setFixedWidth(described);
        m_name->setFixedWidth(line - described);
    }

    const QString name = queue_rules::baseName(queue_rules::pathText(info.path_from));
    setTextIfChanged(m_name, m_name->fontMetrics().elidedText(name, Qt::ElideRight, m_name->width()));

    if ((info.command == C_PULL || info.command == C_PUSH) && info.command != m_icon_command) {
        m_icon_command = info.command;
        m_icon->setPixmap(getGlobalImage(info.command == C_PULL ? "icon_download" : "icon_upload",
                                         ImageManager::IT_NORMAL));
    }

    m_progress_status->setTaskInfo(info);

    QString tip;
    if (info.total != 0 && (info.command == C_PULL || info.command == C_PUSH)) {
        const QString done = StrTable::LoadStr(info.command == C_PULL ? StrTable::queue_downloaded
                                                                      : StrTable::queue_uploaded);
        tip = getHtmlEscapedStringForToolTip(name + QLatin1Char('\n') + done + QStringLiteral(": ") +
                                             getHumanReadableSize(static_cast<double>(info.progress)) +
                                             QStringLiteral(" / ") +
                                             getHumanReadableSize(static_cast<double>(info.total)));
    }
    if (toolTip() != tip)
        setToolTip(tip);
}
