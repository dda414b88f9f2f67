#pragma once
#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

// Where the help for a language lies: offline_help_prefix/language/html_name,
// falling back to the English ("enu") page.
struct HelpContext {
    QString language;
    QString offline_help_prefix;
    QString html_name;
    QString section;
    QString version;
};

// The help window: a browser on the help page of the context's language. Only
// links to files inside the help folder are followed.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const HelpContext& context, QWidget* parent = nullptr);

    // The page shown, or empty when no help is installed.
    QString currentFile() const { return m_current_file; }
    QTextBrowser* browser() const { return m_browser; }

    // The page for a context, or "" when neither it nor the English one exists.
    static QString findPage(const HelpContext& context);

private slots:
    void slotAnchorClicked(const QUrl& url);

private:
    bool showFile(const QString& path, const QString& fragment);
    bool isInsideHelp(const QString& path) const;

    HelpContext m_context;
    QString m_help_root;     // canonical prefix folder
    QString m_current_file;  // canonical
    QTextBrowser* m_browser = nullptr;
};
