#include "dnd_manager.h"

#include <QDir>
#include <QDrag>
#include <QList>
#include <QTimer>
#include <QUrl>

#include "compat/trace.h"
#include "dnd_path.h"
#include "dnd_shared_block.h"
#include "file-op.h"
#include "file_mime_data.h"
#include "log.h"
#include "test_windows.h"
#include "ui_path_manager.h"
#include "xds_source.h"

namespace {

const char kComponent[] = "default_component";

// The registry and shared-memory stand-ins report through the client's log.
void traceToLogger(compat::TraceLevel level, const char* message)
{
    if (level == compat::TRACE_ERROR)
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] compat(%d): %s\n", message);
    else
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] compat(%d): %s\n", message);
}

Qt::DropAction runQDrag(QDrag* drag)
{
    return drag->exec(Qt::CopyAction);
}

} // namespace

DndManager::DndManager(QObject* parent) : QObject(parent), m_drag(nullptr), m_is_inner_drag(false)
{
    compat::setTraceSink(&traceToLogger);
}

DndManager::~DndManager() = default;

DndManager* DndManager::getInstance()
{
    static DndManager instance;
    return &instance;
}

QString DndManager::markerFolderPath()
{
    return UIPathManager::getInstance()->getPath(QStringLiteral("user_data_path")) + QDir::separator() +
           QLatin1String(dnd_block::kMarkerFolder);
}

void DndManager::initialize()
{
    if (TestWindows(WindowsRegistry::HKLM) == 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] dnd_manager(%d): registry HKLM success\n");
    } else {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] dnd_manager(%d): registry HKLM failed. try HKCU\n");
        if (TestWindows(WindowsRegistry::HKCU) == 0)
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] dnd_manager(%d): registry HKCU success\n");
        else
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] dnd_manager(%d): registry HKCU failed\n");
    }
    // An existing folder is fine; without it a drop copies nothing anyway.
    FSMKDir(ustring(markerFolderPath().toUtf8().toStdString()), false);
}

void DndManager::setInnerDrag(bool inner)
{
    m_is_inner_drag = inner;
}

bool DndManager::isInnerDrag() const
{
    return m_is_inner_drag;
}

void DndManager::setDragRunner(DragRunner runner)
{
    m_runner = std::move(runner);
}

int DndManager::execDrag()
{
    if (m_drag)
        m_drag->deleteLater();
    m_drag = new QDrag(this);
    FileMimeData* mime = new FileMimeData();
    mime->setUrls(QList<QUrl>() << QUrl::fromLocalFile(markerFolderPath()));
    const quint64 serial = ++m_drag_serial;
    m_save_answer.clear();
    mime->setSaveHandler([this, serial] { return answerDirectSave(serial); });
    m_drag->setMimeData(mime);

    csei.InitDrag();
    // The source window exists once the drag has started, that is inside
    // its event loop; a file manager reads the name only at the drop.
    QTimer::singleShot(0, this, [] { xds::offerName(QByteArray(dnd_block::kMarkerFolder)); });
    if (m_runner)
        m_runner(m_drag);
    else
        runQDrag(m_drag);
    const QString target = csei.GetTarget();
    const QString folder = dropFolderFromTarget(target);
    if (!target.isEmpty() && folder.isEmpty())
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] dnd_manager(%d): drop target '%s' refused\n",
               target.toUtf8().toStdString());
    emit sigDndFinished(folder);

    m_is_inner_drag = false;
    emit sigCleanDragStyle();
    return 0;
}

QByteArray DndManager::answerDirectSave(quint64 serial)
{
    // A later drag has replaced the dragged items: this drop has none left.
    if (serial != m_drag_serial)
        return QByteArray(xds::kError);
    if (!m_save_answer.isEmpty())
        return m_save_answer;
    const QByteArray uri = xds::readDestination();
    xds::withdraw();
    const QString folder = dropFolderFromSaveUri(uri);
    if (folder.isEmpty()) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] dnd_manager(%d): direct save to '%s' refused\n",
               uri.toStdString());
        m_save_answer = xds::kError;
        return m_save_answer;
    }
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] dnd_manager(%d): direct save into '%s'\n",
           folder.toUtf8().toStdString());
    m_save_answer = xds::kSaved;
    // Downloads start from the event loop, not inside the toolkit's
    // answer to the file manager.
    QMetaObject::invokeMethod(this, [this, folder] { emit sigDndFinished(folder); }, Qt::QueuedConnection);
    return m_save_answer;
}
