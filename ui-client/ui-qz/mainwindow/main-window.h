#pragma once
// The application's main window: the central widget with the site tabs,
// keyboard commands, the F12 pair, the close question, the warning sheets of
// failed file operations (one at a time, in arrival order), the set-UDP
// event of every site that logs in, and the downloads of a drag that ended
// in the file manager. Talks to the rest of the client through the hub.
#include <QList>
#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <functional>

class CentralWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MainWindow() override;

    void initialize();
    CentralWidget* centralWidgetOfSites() const { return m_central_widget; }
    // Texts waiting behind the open warning sheet.
    QList<QString> pendingErrors() const { return m_error_queue; }

    // The millisecond clock the F12 pair reads; an empty function restores
    // the wall clock.
    static void setClockForTest(std::function<uint64_t()> clock);

signals:
    void sigActionClicked(int type);
    void sigEventAdded(unsigned int id);
    void sigHandleEventDoneUpdateUI(unsigned int id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);
    void sigShowEggWindow();
    void sigCloseAllPeers();

public slots:
    void slotConnectSiteDone(uint64_t peer_id);
    void slotDndFinished(QString path);
    void slotHandleEventDone(unsigned int id);
    void slotBlockKeyPress(bool enable);
    void slotCloseAllPeersDone();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showError();

    CentralWidget* m_central_widget = nullptr;
    bool m_block_key_press = true;
    uint64_t m_egg_time = 0;
    QList<QString> m_error_queue;
    bool m_error_visible = false;
    // Set once the user agreed to close: the final close of all windows
    // must not ask again.
    bool m_closing = false;
};
