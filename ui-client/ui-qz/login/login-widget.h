#pragma once
// The login window: title band, form and footer. Connect sends the form as a
// login request through the hub and shows "Connecting..." until the login of
// that request ends; a failure goes to the login error prompts, a success
// saves the connection, asks for the main window and closes this one.
#include <QWidget>

#include <cstdint>
#include <functional>

#include "connection-info.h"
#include "site-info.h"

class ConnectionWidget;
class LoginErrorMask;
class QLabel;
class QVBoxLayout;
class VexoButton;
class VexoFootbar;
class VexoIconButton;
class VexoMessageSheet;
class WizardTitleWidget;

// The fields of a login request built from a saved or typed connection.
SiteInfo siteInfoFromConnection(const ConnectionInfo& info);
// Control ports the client accepts: the transfer port is the next one.
bool isUsableControlPort(int port);

class LoginWidget : public QWidget {
    Q_OBJECT
public:
    explicit LoginWidget(QWidget* parent = nullptr);
    ~LoginWidget() override;

    void initialize();
    // The form as a connection record; negative when the address is unusable.
    int getInputConnectionInfo(ConnectionInfo& info);

    ConnectionWidget* form() const { return m_connection; }
    VexoButton* connectButton() const { return m_connect_btn; }
    VexoMessageSheet* connectingSheet() const { return m_connecting_msgbox; }
    LoginErrorMask* errorMask() const { return m_error_mask; }
    bool isRequestPending() const { return m_pending; }

    // The millisecond clock the F12 pair reads; an empty function restores
    // the wall clock.
    static void setClockForTest(std::function<uint64_t()> clock);

signals:
    void sigConnectSite(SiteInfo info);
    void sigShowMainWindow();
    void sigShowAboutWindow();
    void sigShowHelpWindow();
    void sigShowEggWindow();

public slots:
    void slotChangeConnectButtonState(bool enabled);
    void slotConnectClicked();
    void slotCancelClicked();
    void slotAddSiteDone(uint64_t peer_id);
    void slotMaskDone(bool should_reconnect);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void sendRequest(const SiteInfo& request);
    bool isOurSite(const SiteInfo& site) const;
    void saveConnection(SiteInfo& site);

    QVBoxLayout* m_main_v_layout = nullptr;
    WizardTitleWidget* m_title = nullptr;
    ConnectionWidget* m_connection = nullptr;
    QLabel* m_shadow = nullptr;
    VexoFootbar* m_footbar = nullptr;
    VexoIconButton* m_help_btn = nullptr;
    VexoButton* m_connect_btn = nullptr;
    VexoButton* m_cancel_btn = nullptr;
    VexoMessageSheet* m_connecting_msgbox = nullptr;
    LoginErrorMask* m_error_mask = nullptr;
    uint64_t m_egg_time = 0;

    // The request on its way: the connection it came from (its saved row
    // when id is not 0) with the password and remember flag as typed, and
    // the last request sent for it. Nothing is written before it succeeds.
    bool m_pending = false;
    ConnectionInfo m_pending_conn;
    SiteInfo m_pending_request;
};
