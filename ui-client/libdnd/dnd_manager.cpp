#include "dnd_manager.h"

#include <QDir>
#include <QDrag>
#include <QList>
#include <QUrl>

#include "compat/trace.h"
#include "dnd_path.h"
#include "dnd_shared_block.h"
#include "file-op.h"
#include "file_mime_data.h"
#include "log.h"
#include "test_windows.h"
#include "ui_path_manager.h"

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
    m_drag->setMimeData(mime);

    csei.InitDrag();
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
