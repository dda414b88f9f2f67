#pragma once
// The form beside the settings window's list: one saved connection's host
// information, transfer settings and download folder. Apply saves it and
// pushes the change to every site logged in from it (site table, engine,
// tab name, a set-udp event); Connect saves and asks for a login.
#include <QIntValidator>
#include <QMetaType>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

#include "connection-info.h"

Q_DECLARE_METATYPE(ConnectionInfo)

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QVBoxLayout;
class VexoButton;
class VexoCheckBox;
class VexoFootbar;
class VexoLineEdit;

bool not_empty_validator(const QString& text);
bool concurrent_validator(const QString& text);
bool speed_validator(const QString& text);

// The concurrency field's validator: a text out of range becomes "0".
class ConcurrentValidator : public QIntValidator {
public:
    using QIntValidator::QIntValidator;
    void fixup(QString& input) const override;
};

class ConnectionSettingWidget : public QWidget {
    Q_OBJECT
public:
    explicit ConnectionSettingWidget(QWidget* parent = nullptr);

    void setConnectionInfo(const ConnectionInfo& info);
    bool isDirty();
    void resetInfo() { setConnectionInfo(m_connection_info); }
    uint64_t getConnectionId() const { return m_connection_info.id; }
    const ConnectionInfo& connectionInfo() const { return m_connection_info; }

    VexoLineEdit* hostNameEdit() const { return m_host_name_edit; }
    VexoLineEdit* addressEdit() const { return m_host_address_edit; }
    VexoLineEdit* usernameEdit() const { return m_username_edit; }
    VexoLineEdit* passwordEdit() const { return m_password_edit; }
    VexoLineEdit* concurrentEdit() const { return m_concurrent_edit; }
    VexoLineEdit* uploadEdit() const { return m_upload_group.m_max_edit; }
    VexoLineEdit* downloadEdit() const { return m_download_group.m_max_edit; }
    VexoCheckBox* uploadBox() const { return m_upload_group.m_checkbox; }
    VexoCheckBox* downloadBox() const { return m_download_group.m_checkbox; }
    VexoButton* applyButton() const { return m_apply_btn; }
    VexoButton* connectButton() const { return m_connect_btn; }
    VexoButton* cancelButton() const { return m_cancel_btn; }
    QLineEdit* downloadLocationEdit() const { return m_download_location_edit; }
    VexoButton* browseButton() const { return m_download_location_btn; }

    // The engine call that takes a site's new settings; tests count it.
    using SetPeerFunction = std::function<int(uint64_t peer_id, int concurrent, uint64_t max_upload,
                                              uint64_t max_download, uint64_t min_upload, uint64_t min_download,
                                              bool encrypted, bool compressed, const std::string& signature)>;
    static void setSetPeerForTest(SetPeerFunction function);

signals:
    void sigEventAdded(uint id);
    void sigUpdateCurrentConnectionItem(ConnectionInfo info);
    void sigConnectNewConnection(ConnectionInfo info, bool pop_password);
    void sigCloseSettingWindow();
    void sigChangeServerName(uint64_t peer_id, QString new_name);

public slots:
    void slotLineEditChanged();
    void slotDownloadLocationClicked();
    void slotConnectClicked();
    void slotApplyClicked();
    void slotCancelClicked();
    void slotSpeedEdited();
    void slotCheckBoxChanged();
    void slotValidateFieldEdited();

private:
    struct TransferSettingGroup {
        VexoCheckBox* m_checkbox = nullptr;
        VexoLineEdit* m_max_edit = nullptr;
    };

    void initialize();
    void initHostLineEdit(VexoLineEdit* edit, const QString& label);
    void initTransmissionLineEdit(VexoLineEdit* edit, const QString& pre, const QString& post);
    void initTransferSettingGroup();
    QHBoxLayout* getIndentCheckBox(VexoCheckBox* box, int indent);
    // The form as a record; negative when the address names no usable port.
    int getConnectionInfoFromView(ConnectionInfo& out);
    // Saves the held record and pushes it to its sites; negative when the
    // database refused, and then nothing is pushed.
    int applyConnectionInfoFromView();
    bool validateInput();

    ConnectionInfo m_connection_info;
    bool m_support_minimum_bandwidth = true;
    QHBoxLayout* m_download_location_layout = nullptr;
    QScrollArea* m_scroll_area = nullptr;
    QVBoxLayout* m_scroll_v_layout = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
    QLabel* m_host_info_title = nullptr;
    QLabel* m_host_info_dash = nullptr;
    VexoLineEdit* m_host_name_edit = nullptr;
    VexoLineEdit* m_host_address_edit = nullptr;
    VexoLineEdit* m_username_edit = nullptr;
    VexoLineEdit* m_password_edit = nullptr;
    QLabel* m_transmission_title = nullptr;
    QLabel* m_transmission_dash = nullptr;
    VexoLineEdit* m_concurrent_edit = nullptr;
    TransferSettingGroup m_upload_group;
    TransferSettingGroup m_download_group;
    VexoCheckBox* m_encrypted = nullptr;
    VexoCheckBox* m_compressed = nullptr;
    QLabel* m_download_title = nullptr;
    QLabel* m_download_dash = nullptr;
    QLabel* m_download_location_label = nullptr;
    QLineEdit* m_download_location_edit = nullptr;
    VexoButton* m_download_location_btn = nullptr;
    QLabel* m_shadow = nullptr;
    VexoFootbar* m_footbar = nullptr;
    VexoButton* m_connect_btn = nullptr;
    VexoButton* m_apply_btn = nullptr;
    VexoButton* m_cancel_btn = nullptr;
    bool m_use_origin_password = false;
    QString m_origin_password;
    std::vector<VexoLineEdit*> m_check_editors;
    std::vector<VexoLineEdit*> m_rate_editors;
};
