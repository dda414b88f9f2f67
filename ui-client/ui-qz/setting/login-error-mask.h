#pragma once
// Answers a failed login: a silent retry, a one-time code prompt, a trust
// prompt for an untrusted or changed certificate, or an error sheet. Ends
// each failure with sigMaskDone(should_reconnect); getNewInfo() then holds
// the request as the user's answer amended it. GUI thread only.
#include <QObject>
#include <QString>

#include "site-info.h"

class QWidget;
class VexoSheet;
class VexoMessageSheet;

class LoginErrorMask : public QObject {
    Q_OBJECT
public:
    explicit LoginErrorMask(QWidget* parent);
    ~LoginErrorMask() override;

    void handleLoginError(const SiteInfo& info);
    SiteInfo getNewInfo() const { return m_site_info; }
    void showError(const SiteInfo& info);

    // The text a failure is reported with (what showError shows).
    static QString errorText(const SiteInfo& info);

signals:
    void sigMaskDone(bool should_reconnect);

public slots:
    void slotMaskFinished(int ret);

private:
    void showQuestion(VexoSheet* sheet);

    VexoSheet* m_confirm_sheet = nullptr;
    VexoMessageSheet* m_error_sheet = nullptr;
    QWidget* m_parent = nullptr;
    SiteInfo m_site_info;
    bool m_wait_user_action = false;
};

// Modal password prompt over parent: true and the text (even empty) when accepted.
bool getUserInputPassword(QString& password, QWidget* parent);
// Modal "Remember password?" question over parent: true when accepted.
bool needRememberPassword(QWidget* parent);
