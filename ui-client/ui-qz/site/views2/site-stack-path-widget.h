#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "site-data.h"

class QHBoxLayout;
class SiteConnecter;
class VexoIconButton;

// The back-and-forward bar of a site pane: walks the folders the pane has
// shown, like a browser's history. It only asks the pane to open a folder.
class SiteStackPathWidget : public QWidget {
    Q_OBJECT
public:
    SiteStackPathWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent = nullptr);

    const std::vector<QString>& history() const { return m_stack; }
    int currentIndex() const { return m_idx; }
    VexoIconButton* prevButton() const { return m_prev_button; }
    VexoIconButton* nextButton() const { return m_next_button; }

signals:
    void sigCurrentPathChanged(QString path);

public slots:
    void slotUpdateCurrentPath(QString path);
    void slotPrevButtonClicked();
    void slotNextButtonClicked();

private:
    void pushPath(const QString& path);
    void updateButtonStatus();

    SiteConnecter* m_connecter;
    SiteData* m_data;
    std::vector<QString> m_stack;
    int m_idx = -1;
    QHBoxLayout* m_main_h_layout = nullptr;
    VexoIconButton* m_prev_button = nullptr;
    VexoIconButton* m_next_button = nullptr;
};
