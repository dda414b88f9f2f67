#pragma once
// The login form: server address (an editable list of the saved
// connections, newest first), user name, password and "Remember password".
#include <QString>
#include <QWidget>

#include <list>

#include "connection-info.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class VexoCheckBox;

// Sort order of the saved connections: the most recently used first.
bool cmpConnectionInfo(const ConnectionInfo& a, const ConnectionInfo& b);

class ConnectionWidget : public QWidget {
    Q_OBJECT
public:
    explicit ConnectionWidget(QWidget* parent = nullptr);

    QString getAddress() const;
    QString getUsername() const;
    // The remembered password while its placeholder is untouched, else the field.
    QString getPassword() const;
    bool needRemeberPassword() const;
    void checkInput();
    void updateAddressComboBox();
    // Shows or clears the address box's error look.
    void setAddressError(bool error);

    QComboBox* addressBox() const { return m_address; }
    QLineEdit* usernameEdit() const { return m_username; }
    QLineEdit* passwordEdit() const { return m_password; }
    VexoCheckBox* rememberBox() const { return m_remember_password; }

signals:
    void sigChangeConnectButtonState(bool enabled);

public slots:
    void slotAddressChanged();
    void slotActivated(int idx);
    void slotUsernameChanged();
    void slotPasswordChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Widens the label column to its longest label in the current font;
    // the fields give up that width, so the form keeps its own.
    void fitLabelColumn();

    QGridLayout* m_main_grid_layout = nullptr;
    QLabel* m_address_label = nullptr;
    QLabel* m_username_label = nullptr;
    QLabel* m_password_label = nullptr;
    QComboBox* m_address = nullptr;
    QLineEdit* m_username = nullptr;
    QLineEdit* m_password = nullptr;
    VexoCheckBox* m_remember_password = nullptr;
    bool m_use_origin_password = false;
    QString m_origin_password;
    std::list<ConnectionInfo> m_conn_infos;
};
