#include "progress-status-widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QVariant>

#include "dpi_info.h"
#include "kavelin/error-code.h"
#include "queue-rules.h"
#include "str_table.h"
#include "style_manager.h"

namespace {

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

}  // namespace

ProgressStatusWidget::ProgressStatusWidget(QWidget* parent) : QStackedWidget(parent)
{
    initialize();
}

void ProgressStatusWidget::initialize()
{
    m_status = new QLabel();
    m_status->setTextFormat(Qt::PlainText);
    // The sentence is elided to the cell: its length must not widen the cell.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    m_progress_bar = new QProgressBar();
    m_progress_bar->setStyleSheet(getStyleSheet("progress_bar", false));
    m_progress_bar->setTextVisible(false);
    m_progress_bar->setFixedHeight(scaled(8));
    m_progress_bar->setRange(0, 10000);

    auto* layout = new QHBoxLayout();
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_progress_bar);
    m_progress_parent = new QWidget();
    m_progress_parent->setLayout(layout);

    addWidget(m_status);
    addWidget(m_progress_parent);
}

void ProgressStatusWidget::setFullMode(bool full)
{
    if (m_full_mode == full && !m_status->styleSheet().isEmpty())
        return;
    m_full_mode = full;
    m_status->setStyleSheet(getStyleSheet(full ? "full_queue_status" : "simple_queue_entry_status", false));
}

void ProgressStatusWidget::setStyleProperty(QWidget* widget, const char* name, const QString& value)
{
    if (widget->property(name).toString() == value && widget->property(name).isValid())
        return;
    widget->setProperty(name, value);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

void ProgressStatusWidget::setTaskInfo(const ResumeInfo& info)
{
    if (!m_has_task || info.resume_id != m_resume_id) {
        m_msg.clear();
        m_resume_id = info.resume_id;
        m_has_task = true;
    }
    // A task waiting to go on (after a lost server, say) keeps showing how
    // far it got, rather than a bare "Waiting" that hides its progress.
    const bool waiting_with_progress = info.user_action == ResumeInfo::UA_NONE && info.progress > 0 &&
                                       (info.local_state == ResumeInfo::RI_WAITING ||
                                        info.local_state == ResumeInfo::RI_UDP_PENDING);
    if (queue_rules::isRunning(info) || waiting_with_progress) {
        setCurrentWidget(m_progress_parent);
        m_progress_bar->setRange(0, 10000);
        m_progress_bar->setValue(queue_rules::progressBarValue(info.progress, info.total));
        setStyleProperty(m_progress_bar, "color",
                         queue_rules::isDownload(info) ? QStringLiteral("green") : QStringLiteral("blue"));
        return;
    }

    setCurrentWidget(m_status);
    QString status;
    switch (info.user_action) {
    case ResumeInfo::UA_START:
        m_msg = StrTable::LoadStr(StrTable::status_waiting);
        break;
    case ResumeInfo::UA_PAUSE:
        m_msg = StrTable::LoadStr(StrTable::status_paused);
        status = QStringLiteral("paused");
        break;
    case ResumeInfo::UA_NONE:
        switch (info.local_state) {
        case ResumeInfo::RI_PAUSED:
            m_msg = StrTable::LoadStr(StrTable::status_paused);
            status = QStringLiteral("paused");
            break;
        case ResumeInfo::RI_WAITING:
        case ResumeInfo::RI_UDP_PENDING:
            m_msg = StrTable::LoadStr(StrTable::status_waiting);
            break;
        // A task that ended failed says so as an error does.
        case ResumeInfo::RI_ERROR:
        case ResumeInfo::RI_FAILED:
            m_msg = getErrorString(info.error);
            status = QStringLiteral("error");
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    m_status->setText(m_status->fontMetrics().elidedText(m_msg, Qt::ElideRight, m_status->width()));
    setStyleProperty(m_status, "status", status);
    m_status->setToolTip(m_msg);
}

QString ProgressStatusWidget::getErrorString(int error)
{
    // Codes 1..20 in order: every code the engine gives has its reason.
    static const int kMessages[] = {
        StrTable::error_transfer_system,     // ERR_SYS
        StrTable::error_transfer_io,         // ERR_IO
        StrTable::error_diskfull,            // ERR_LOCAL_DISKFULL
        StrTable::error_fbig,                // ERR_LOCAL_FBIG
        StrTable::error_diskfull,            // ERR_REMOTE_DISKFULL
        StrTable::error_fbig,                // ERR_REMOTE_FBIG
        StrTable::error_transfer_unknown,    // ERR_INVALID_SEED
        StrTable::error_transfer_unknown,    // ERR_INVALID_TOKEN
        StrTable::error_transfer_unknown,    // ERR_TOKEN_COLLISION
        StrTable::error_transfer_unknown,    // ERR_TOKEN_ABORTED
        StrTable::error_file_unexist,        // ERR_NO_SUCH_FILE
        StrTable::error_temp_lost,           // ERR_TEMP_LOST
        StrTable::error_transfer_paused,     // ERR_JOB_PAUSED
        StrTable::error_permission,          // ERR_NO_PERM
        StrTable::error_share_quota,         // ERR_SHARE_QUOTA
        StrTable::error_user_quota,          // ERR_USER_QUOTA
        StrTable::error_disconnected,        // ERR_CONNECTION_LOST
        StrTable::error_transfer_too_large,  // ERR_DROP_LARGE
        StrTable::err_ssl_change,            // ERR_SSL_CHANGED
        StrTable::error_source_changed,      // ERR_SOURCE_CHANGED
    };
    static_assert(sizeof(kMessages) / sizeof(kMessages[0]) == ProjectVardo::ERR_SOURCE_CHANGED - ProjectVardo::ERR_SYS + 1,
                  "one entry per code from 1 to 20");
    const QString failed = StrTable::LoadStr(StrTable::status_failed);
    if (error < ProjectVardo::ERR_SYS || error > ProjectVardo::ERR_SOURCE_CHANGED)
        return failed;
    const QString message = StrTable::LoadStr(kMessages[error - ProjectVardo::ERR_SYS]);
    return message.isEmpty() ? failed : failed + QStringLiteral(": ") + message;
}

void ProgressStatusWidget::resizeEvent(QResizeEvent* event)
{
    QStackedWidget::resizeEvent(event);
    m_status->setText(m_status->fontMetrics().elidedText(m_msg, Qt::ElideRight, m_status->width()));
}
