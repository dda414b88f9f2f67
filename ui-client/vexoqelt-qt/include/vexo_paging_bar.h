#pragma once
#include <vector>

#include <QObject>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;

// The current page (from 1) and the rows per page of a paged listing.
class VexoPagingModel : public QObject {
    Q_OBJECT
public:
    explicit VexoPagingModel(int row_limit, QObject* parent = nullptr);

    int rowLimit() const { return m_row_limit; }
    int nowPage() const { return m_now_page; }
    // Pages below 1 become 1.
    void setNowPage(int page);

signals:
    // The page changed, by whoever; the bar redraws on it.
    void sigNowPageChanged(int page);

private:
    int m_row_limit;
    int m_now_page = 1;
};

struct PagingFooterInfo {
    QString text;
    int width = 0;  // pixels at scale 1
};

// Page buttons under a listing: first, previous 5, up to five page numbers,
// next 5, last, refresh, then the footer. sigPageChanged() is emitted only
// for a page the user chose, after the model holds it.
class VexoPagingBar : public QWidget {
    Q_OBJECT
public:
    explicit VexoPagingBar(VexoPagingModel* model, QWidget* parent = nullptr);

    // Back to page 1 with no items; emits nothing.
    void reset();
    // The number of rows; pages past the end move the model to the last page.
    // Emits nothing.
    void setItemCount(int count);
    int itemCount() const { return m_item_count; }
    int pageCount() const;
    void setFooterText(const QString& text);
    void setFooterInfos(const std::vector<PagingFooterInfo>& infos);
    void setRefreshButtonHidden(bool hidden);

    // The page numbers shown, in order (for tests and tools).
    QList<int> shownPages() const;
    QPushButton* pageButton(int page) const;
    QToolButton* firstButton() const { return m_first; }
    QToolButton* previousFiveButton() const { return m_prev5; }
    QToolButton* nextFiveButton() const { return m_next5; }
    QToolButton* lastButton() const { return m_last; }
    QToolButton* refreshButton() const { return m_refresh; }
    QList<QLabel*> footerLabels() const { return m_footer_labels; }

signals:
    void sigRefresh();
    void sigPageChanged();

private:
    void choosePage(int page);
    void refreshButtons();
    void clearFooter();

    VexoPagingModel* m_model;
    int m_item_count = 0;
    QHBoxLayout* m_page_layout = nullptr;
    QHBoxLayout* m_footer_layout = nullptr;
    QToolButton* m_first = nullptr;
    QToolButton* m_prev5 = nullptr;
    QList<QPushButton*> m_page_buttons;
    QToolButton* m_next5 = nullptr;
    QToolButton* m_last = nullptr;
    QToolButton* m_refresh = nullptr;
    QList<QLabel*> m_footer_labels;
};
