#pragma once

#include <QString>

#include "site-data.h"
#include "vexo_button_path.h"

class SiteConnecter;

// The breadcrumb of a site pane: the site's display name ("My Computer" for
// this computer) followed by the path of the current folder. A click on a
// component asks the pane to open that folder.
class SiteButtonPathWidget : public VexoButtonPath {
    Q_OBJECT
public:
    SiteButtonPathWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent = nullptr);

    // The breadcrumb text for an id path.
    QString textForPath(const QString& id_path);

signals:
    void sigCurrentPathChanged(QString path);

public slots:
    void slotPathButtonClicked(QString text);
    void slotUpdateCurrentPath(QString path);
    void slotUpdateItem(QString parent, QString old_name, QString new_name);
    void slotChangeSiteName();

private:
    void show(const QString& id_path);

    SiteConnecter* m_connecter;
    SiteData* m_data;
    // What the buttons show: a click is read back against these, not by the
    // display name, which may be "My Computer" or hold a separator.
    QString m_shown_peer;
    QString m_shown_name;
};
