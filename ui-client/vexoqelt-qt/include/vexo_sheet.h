#pragma once
#include <QFrame>
#include <QPointer>

class QEventLoop;
class QPushButton;
struct SheetRequest;

// A frame shown over its parent (or, without parent, a small modal window).
// It closes with a standard button, reported once per close by finished(int).
class VexoSheet : public QFrame {
    Q_OBJECT
public:
    explicit VexoSheet(QWidget* parent = nullptr);
    ~VexoSheet() override;

    // Shows the sheet and returns at once; the answer comes through finished(int).
    virtual void showSheet();
    // Shows the sheet and waits in a nested loop; returns the closing button.
    int exec();
    // The button that closed the sheet last (QMessageBox::NoButton before).
    int result() const { return m_result; }
    // The widget the sheet covers (its parent at construction).
    QWidget* coveredWidget() const { return m_covered; }
    // While shown with true, the top-level window refuses to close.
    void setBlockWindowButton(bool block);

    // Fills what the test responder sees; the base gives type, text and buttons.
    virtual void describe(SheetRequest& request) const;
    // The button shown for a standard button, or null.
    virtual QPushButton* button(int standard_button) const;

public slots:
    // Ends a shown or running sheet with a non-Ok result; harmless when closed.
    void quit();
    // Closes the sheet with the given standard button.
    void done(int standard_button);

signals:
    void finished(int standard_button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Keys stop at the sheet: the window behind must not act on them.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab moves among the sheet's own widgets only.
    bool focusNextPrevChild(bool next) override;
    // Places the sheet over the covered widget inside its host.
    void placeOverCovered();

private:
    friend class VexoMask;
    void askResponder(unsigned generation);
    // Moves the sheet into an ancestor of what it covers, so that a mask laid
    // over that ancestor stays below it; the sheet still dies with its parent.
    void moveIntoHost(QWidget* host);
    void watchHost(QWidget* host);

    QPointer<QWidget> m_covered;
    QPointer<QWidget> m_host;
    QPointer<QWidget> m_blocked_window;
    QEventLoop* m_loop = nullptr;
    int m_result = 0;
    bool m_block_window = false;
    bool m_open = false;
    unsigned m_generation = 0;
};
