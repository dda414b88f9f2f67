#include "egg-window.h"

#include <QFile>
#include <QString>

#include "client-core-manager.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"
#include "ui_path_manager.h"

namespace {

// Replaces the file with the dump's text. The text holds server paths in
// UTF-8: its bytes are written as they are, never re-encoded.
void writePObjectIntoFile(const PObject& object, const QString& path)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    const std::string text = object.toPrettyString();
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
}

QString logFolder()
{
    return UIPathManager::getInstance()->getPath(QStringLiteral("log_path"));
}

}  // namespace

void EggWindow::genDebug()
{
    PObject store_dump;
    ClientCoreManager::getCoreManager()->debugVCM(store_dump);
    writePObjectIntoFile(store_dump, logFolder() + QStringLiteral("/vcm.log"));

    // Asked only once the store's dump is on disk; the answer is awaited here.
    PObject service_dump;
    ClientCoreManager::getTransferService()->debugTransferService(service_dump);
    writePObjectIntoFile(service_dump, logFolder() + QStringLiteral("/tt.log"));
}
