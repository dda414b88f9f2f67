#include "site-folder-dialog.h"

#include <QFileDialog>
#include <QWidget>

namespace {
FolderDialogResponder& responder()
{
    static FolderDialogResponder instance;
    return instance;
}
}  // namespace

QString chooseDownloadFolder(QWidget* parent, const QString& start_folder)
{
    if (responder())
        return responder()(start_folder);
    return QFileDialog::getExistingDirectory(parent ? parent->window() : nullptr, QString(), start_folder,
                                             QFileDialog::ShowDirsOnly);
}

void installFolderDialogResponder(FolderDialogResponder responder_function)
{
    responder() = std::move(responder_function);
}
