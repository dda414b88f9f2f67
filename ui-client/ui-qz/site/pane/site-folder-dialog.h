#pragma once

#include <QString>

#include <functional>

class QWidget;

// The folder question of "Download to": the system's folder dialog, or for a
// test the responder it installed. Returns "" when cancelled.
QString chooseDownloadFolder(QWidget* parent, const QString& start_folder);

// Answers every folder question from now on with responder(start_folder);
// an empty function restores the dialog. GUI thread only; tests only.
using FolderDialogResponder = std::function<QString(const QString& start_folder)>;
void installFolderDialogResponder(FolderDialogResponder responder);
