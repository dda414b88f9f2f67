#include "site-button-path-widget.h"

#include <QRegularExpression>

#include "site-connecter.h"
#include "site-path.h"
#include "str_table.h"

SiteButtonPathWidget::SiteButtonPathWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent)
    : VexoButtonPath(parent), m_connecter(connecter), m_data(data)
{
    connect(this, &VexoButtonPath::sigUpdatePath, this, &SiteButtonPathWidget::slotPathButtonClicked);
    connect(this, &SiteButtonPathWidget::sigCurrentPathChanged, m_connecter, &SiteConnecter::sigCurrentPathChanged);
    connect(m_connecter, &SiteConnecter::sigUpdateCurrentPath, this, &SiteButtonPathWidget::slotUpdateCurrentPath);
    connect(m_connecter, &SiteConnecter::sigUpdateItem, this, &SiteButtonPathWidget::slotUpdateItem);
    connect(m_connecter, &SiteConnecter::sigChangeSiteName, this, &SiteButtonPathWidget::slotChangeSiteName);
}

QString SiteButtonPathWidget::textForPath(const QString& id_path)
{
    QString peer, path;
    splitIdPath(id_path, peer, path);
    const QString name = peer == QLatin1String("0") ? StrTable::LoadStr(StrTable::my_computer) : m_data->m_site_name;
    return name + QLatin1Char('/') + path;
}

void SiteButtonPathWidget::show(const QString& id_path)
{
    QString path;
    splitIdPath(id_path, m_shown_peer, path);
    m_shown_name = m_shown_peer == QLatin1String("0") ? StrTable::LoadStr(StrTable::my_computer) : m_data->m_site_name;
    refresh(textForPath(id_path));
}

void SiteButtonPathWidget::slotUpdateCurrentPath(QString path) { show(path); }

void SiteButtonPathWidget::slotPathButtonClicked(QString text)
{
    QString path;
    const QChar after = text.size() > m_shown_name.size() ? text.at(m_shown_name.size()) : QChar();
    if (!m_shown_name.isEmpty() && text.startsWith(m_shown_name) &&
        (text.size() == m_shown_name.size() || after == QLatin1Char('/') || after == QLatin1Char('\\'))) {
        path = text.mid(m_shown_name.size() + 1);
    } else {
        // Not what we showed: read it the plain way, name up to the first separator.
        const int cut = text.indexOf(QRegularExpression(QStringLiteral("[/\\\\]")));
        path = cut < 0 ? QString() : text.mid(cut + 1);
    }
    const uint64_t peer = m_shown_peer == QLatin1String("0") ? 0 : m_data->m_peer_id;
    emit sigCurrentPathChanged(combineIdPath(peer, path));
}

void SiteButtonPathWidget::slotUpdateItem(QString parent, QString old_name, QString new_name)
{
    if (combinePath(parent, old_name) != m_data->m_current_path)
        return;
    show(combinePath(parent, new_name));
}

void SiteButtonPathWidget::slotChangeSiteName()
{
    QString peer, path;
    splitIdPath(m_data->m_current_path, peer, path);
    if (peer.isEmpty() || peer == QLatin1String("0"))
        return;
    show(m_data->m_current_path);
}
