#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <Qt>

#include <functional>

#include "shell_extension_interface.h"

class QDrag;

// The bridge from a drag out of the client to the folder the user dropped on
// in the file manager: the drag carries only the empty marker folder, the
// copy hook reports where the file manager tried to copy it, and the parent of
// that destination is the drop folder. No Linux file manager loads copy
// hooks: there the drag also offers the X direct-save type, and a file manager
// that speaks it names the folder it shows, which becomes the drop folder
// once the drag is over. Lives on the GUI thread.
class DndManager : public QObject {
    Q_OBJECT
public:
    // Runs a prepared drag to its end (drop or cancel) and returns its action.
    typedef std::function<Qt::DropAction(QDrag*)> DragRunner;

    explicit DndManager(QObject* parent = nullptr);
    ~DndManager() override;

    static DndManager* getInstance();

    // Registers the copy hook (HKLM, else HKCU) and creates the marker folder
    // in the user data folder.
    void initialize();
    void setInnerDrag(bool inner);
    bool isInnerDrag() const;
    // The whole drag, synchronously; emits sigDndFinished and sigCleanDragStyle. Returns 0.
    int execDrag();

    // Replaces how the drag runs (QDrag::exec with the copy action by
    // default); an empty runner restores the default.
    void setDragRunner(DragRunner runner);
    // The marker folder's path in the user data folder.
    static QString markerFolderPath();

signals:
    // The drop folder; "" when nothing was dropped in the file manager. A
    // direct save reports its folder later, from the event loop, after the
    // drag's own "".
    void sigDndFinished(QString destination);
    // The drag has ended: views remove their drag highlighting.
    void sigCleanDragStyle();

private:
    // The answer to a direct-save request of the drag numbered `serial`.
    QByteArray answerDirectSave(quint64 serial);

    QPointer<QDrag> m_drag;
    bool m_is_inner_drag;
    CShellExtensionInterface csei;
    DragRunner m_runner;
    quint64 m_drag_serial = 0;
    // The latest drag's answer once given: a repeated request gets the same.
    QByteArray m_save_answer;
};
