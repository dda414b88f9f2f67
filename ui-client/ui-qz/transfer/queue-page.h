#pragma once

#include <QWidget>

class FullQueue;
class QStackedWidget;
class QTimer;
class QVBoxLayout;
class SimpleQueue;
class TopToolBar;

// The Task Manager window: the tool bar above the simple or the full queue
// view. While shown, the view on show reloads from the task store every
// second; hiding stops that and tells the main window through the hub.
class QueuePage : public QWidget {
    Q_OBJECT
public:
    explicit QueuePage(QWidget* parent = nullptr);

    TopToolBar* topToolBar() const { return m_top_tool_bar; }
    QStackedWidget* stack() const { return m_stack; }
    FullQueue* fullQueue() const { return m_full_queue; }
    SimpleQueue* simpleQueue() const { return m_simple_queue; }
    QTimer* timer() const { return m_timer; }

signals:
    void sigQueuePageHidden();

public slots:
    void slotModeChanged(bool is_full_mode);
    void slotUpdateQueue();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void initialize();
    // Reloads the view on show, unless the window is hidden.
    void updateQueue();

    QVBoxLayout* m_main_v_layout = nullptr;
    TopToolBar* m_top_tool_bar = nullptr;
    QStackedWidget* m_stack = nullptr;
    FullQueue* m_full_queue = nullptr;
    SimpleQueue* m_simple_queue = nullptr;
    QTimer* m_timer = nullptr;
};
