#pragma once
// The body of the main window: the row of site tabs with the tool buttons
// at its right end, and under it the stack of site panes, one per logged-in
// site. It also owns the Task Manager, Log and settings windows and the
// fly-in that marks a newly queued transfer.
#include <QVector>
#include <QWidget>

#include <cstdint>

struct SiteInfo;
class GlobalSettingPage;
class LogPage;
class QHBoxLayout;
class QMenu;
class QParallelAnimationGroup;
class QPropertyAnimation;
class QPushButton;
class QSequentialAnimationGroup;
class QStackedWidget;
class QVBoxLayout;
class QueuePage;
class ResizeImageLabel;
class SiteWidget;
class TabButton;
class TransferButton;
class VexoIconButton;

struct TabPage {
    uint64_t peer_id = 0;
    TabButton* btn = nullptr;
    SiteWidget* page = nullptr;
};

class CentralWidget : public QWidget {
    Q_OBJECT
public:
    CentralWidget();
    ~CentralWidget() override;

    // True when a tab now serves the site (new or re-attached), false when
    // the login failed or the site is gone from the site table.
    bool handleConnectSiteDone(uint64_t peer_id);
    void insertSite(const QString& name, SiteWidget* page, uint64_t id, bool ssl_verified);
    void removeSite(const TabPage& tp, int idx);
    void rearrangeTabSize();

    // For the window's owner and tests.
    const QVector<TabPage>& tabPages() const { return m_tab_pages; }
    QStackedWidget* pagesContainer() const { return m_pages_container; }
    QPushButton* addButton() const { return m_add_button; }
    TransferButton* transferButton() const { return m_transfer_button; }
    VexoIconButton* logButton() const { return m_log_button; }
    VexoIconButton* settingButton() const { return m_setting_button; }
    VexoIconButton* helpButton() const { return m_help_button; }
    QMenu* helpMenu() const { return m_help_menu; }
    QueuePage* queuePage() const { return m_queue_page; }
    LogPage* logPage() const { return m_log_page; }
    GlobalSettingPage* settingPage() const { return m_setting_page; }
    int widthForTabs() const { return m_width_for_tab; }
    ResizeImageLabel* flightLabel() const { return m_group1_label; }
    ResizeImageLabel* swellLabel() const { return m_group2_label; }
    QSequentialAnimationGroup* flyInAnimation() const { return m_group_all_animation; }
    QPropertyAnimation* flightGeometry() const { return m_group1_geometry; }
    QPropertyAnimation* swellGeometry() const { return m_group2_geometry; }

signals:
    void sigRemoveSite(uint64_t peer_id);
    void sigAddSiteDone(uint64_t peer_id);
    void sigShowLoginWindow();
    void sigShowAboutWindow();
    void sigShowHelpWindow();

public slots:
    void slotTabClicked();
    void slotCertificateClicked();
    void slotCloseButtonClicked();
    void slotCloseSite(uint64_t peer_id);
    void slotTransferButtonClicked();
    void slotLogButtonClicked();
    void slotSettingButtonClicked();
    void slotQueuePageHidden();
    void slotTaskCountChanged(int count);
    void slotTransferTaskAdded(QString name, bool is_dir, bool multi);
    void slotAnimationFinished();
    void slotSiteDisconnected(uint64_t peer_id, bool should_reconnect);
    void slotChangeServerName(uint64_t peer_id, QString new_name);
    void slotResumeDisconnectedJobsDone(uint64_t peer_id);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void initializeDefaultTabs();
    void initializeAnimation();
    void setGroup1Property(const QString& name, bool is_dir, bool multi);
    void setGroup2Property();
    int tabIndexOfSender() const;
    void recordCertificateDecision(const SiteInfo& site);

    QVector<TabPage> m_tab_pages;
    QHBoxLayout* m_tab_h_layout = nullptr;
    QWidget* m_buttons_container = nullptr;
    QStackedWidget* m_pages_container = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
    QPushButton* m_add_button = nullptr;
    TransferButton* m_transfer_button = nullptr;
    VexoIconButton* m_log_button = nullptr;
    VexoIconButton* m_setting_button = nullptr;
    VexoIconButton* m_help_button = nullptr;
    QMenu* m_help_menu = nullptr;
    LogPage* m_log_page = nullptr;
    GlobalSettingPage* m_setting_page = nullptr;
    QueuePage* m_queue_page = nullptr;
    QParallelAnimationGroup* m_group1_animation = nullptr;
    ResizeImageLabel* m_group1_label = nullptr;
    QPropertyAnimation* m_group1_geometry = nullptr;
    QPropertyAnimation* m_group1_opacity = nullptr;
    QParallelAnimationGroup* m_group2_animation = nullptr;
    ResizeImageLabel* m_group2_label = nullptr;
    QPropertyAnimation* m_group2_geometry = nullptr;
    QPropertyAnimation* m_group2_opacity = nullptr;
    QPropertyAnimation* m_label1_hidden = nullptr;
    QPropertyAnimation* m_label2_hidden = nullptr;
    QPropertyAnimation* m_label2_visible = nullptr;
    QSequentialAnimationGroup* m_group_all_animation = nullptr;
    int m_width_for_tab = 0;
};
