#include "help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const HelpContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);  // every link is checked before it is followed
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::slotAnchorClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    m_help_root = QFileInfo(context.offline_help_prefix).canonicalFilePath();
    const QString page = findPage(context);
    if (page.isEmpty() || !showFile(page, QString())) {
        m_browser->setPlainText(tr("The help is not installed."));
        m_current_file.clear();
    }
}

QString HelpWindow::findPage(const HelpContext& context)
{
    if (context.offline_help_prefix.isEmpty() || context.html_name.isEmpty())
        return QString();
    // Language and page name are single path components; anything else is refused.
    auto component_ok = [](const QString& s) {
        return !s.isEmpty() && !s.contains(QLatin1Char('/')) && !s.contains(QLatin1Char('\\')) &&
               s != QLatin1String(".") && s != QLatin1String("..");
    };
    if (!component_ok(context.html_name))
        return QString();
    QStringList languages;
    if (component_ok(context.language))
        languages << context.language;
    languages << QStringLiteral("enu");
    for (const QString& language : languages) {
        const QString path = context.offline_help_prefix + QLatin1Char('/') + language +
                             QLatin1Char('/') + context.html_name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

bool HelpWindow::isInsideHelp(const QString& path) const
{
    if (m_help_root.isEmpty())
        return false;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical.startsWith(m_help_root + QLatin1Char('/'));
}

bool HelpWindow::showFile(const QString& path, const QString& fragment)
{
    if (!isInsideHelp(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    // Relative images and links resolve against the page's own folder.
    m_browser->setSearchPaths({QFileInfo(canonical).absolutePath()});
    m_browser->document()->setMetaInformation(QTextDocument::DocumentUrl,
                                              QUrl::fromLocalFile(canonical).toString());
    m_browser->setHtml(QString::fromUtf8(file.readAll()));
    m_current_file = canonical;
    if (!fragment.isEmpty())
        m_browser->scrollToAnchor(fragment);
    return true;
}

void HelpWindow::slotAnchorClicked(const QUrl& url)
{
    if (m_current_file.isEmpty())
        return;
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
        m_browser->scrollToAnchor(url.fragment());
        return;
    }
    const QUrl target = QUrl::fromLocalFile(m_current_file).resolved(url);
    if (!target.isLocalFile())
        return;  // no web or other schemes from the help
    showFile(target.toLocalFile(), target.fragment());
}
