#pragma once
#include <QApplication>

// The application object. It also tells whether another instance of the
// program runs for the same user and install: the first instance holds an
// advisory lock on a file in the user's runtime folder, which the system
// releases when that process ends in any way (a SIGKILL included).
class QtSingleApplication : public QApplication {
    Q_OBJECT
public:
    QtSingleApplication(int& argc, char** argv, bool gui_enabled = true);
    ~QtSingleApplication() override;

    // True when another instance held the lock when this one was made.
    bool isRunning() const { return m_running; }
    // The lock file used (for diagnostics and tests).
    QString lockFilePath() const { return m_lock_path; }

    // Replaces the instance key (user and install) for objects made later;
    // tests running in parallel give each case its own key. Empty: default.
    static void setInstanceKey(const QString& key);

private:
    QString m_lock_path;
    int m_lock_fd = -1;
    bool m_running = false;
};
