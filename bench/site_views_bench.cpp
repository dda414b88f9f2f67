// The site views with 100,000 cached entries, offscreen, in one run:
//   ours: cache to first page drawn, first slice, re-sort by size to page
//   redrawn, scroll per step, tree merge of 100,000 subfolders and again;
//   baseline: QStandardItemModel + QTableView of the same rows (fill and
//   paint, sort(1), scroll per step);
//   end to end: a pane logged in to the test file server over TLS, from the
//   list request of a folder of 100,000 files to its first page drawn.
// Milliseconds, wall clock.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <cstdio>

#include "dpi_info.h"
#include "image_manager.h"
#include "site-connecter.h"
#include "site-context-menu.h"
#include "site-detail-widget.h"
#include "site-display.h"
#include "site-table-widget.h"
#include "site-tree-widget.h"
#include "style_manager.h"
#include "ui_path_manager.h"

#ifdef QM_SITE_VIEWS_TLS
#include <filesystem>
#include <fstream>

#include "log.h"
#include "site-widget.h"
#include "sitepane_fixture.h"
#include "support/temp_dir.h"
#endif

namespace {
const int kEntries = 100000;

#ifdef QM_SITE_VIEWS_TLS
// The pane end to end on the test server's share "rw", with a folder of
// kEntries files; the time from the list request to the first page drawn.
class TlsListing : public SitePaneTest {
public:
    void TestBody() override
    {
        const std::string big = Share("rw", "/big");
        std::filesystem::create_directories(big);
        for (int i = 0; i < kEntries; ++i)
            std::ofstream(big + "/entry_" + std::to_string(i) + ".txt");
        SiteWidget* pane = Login();
        if (!pane || !Open(pane, Id(pane, "rw")))
            return;
        SiteTableWidget* table = pane->detail()->tableView();
        const QString folder = Id(pane, "rw/big");
        QElapsedTimer clock;
        QObject::connect(pane->connecter(), &SiteConnecter::sigQueryPathDone, pane, [&](QString path) {
            if (path == folder && m_cached_ms < 0)
                m_cached_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        });
        clock.start();
        emit pane->connecter()->sigCurrentPathChanged(folder);
        if (WaitUntil([&] { return table->recordCount() == 1000 && !table->isDrawing(); }, 120000))
            m_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    double m_cached_ms = -1;  // the listing in the pane's cache
    double m_ms = -1;         // its first page drawn
};
#endif

SiteFileList listing(bool folders)
{
    SiteFileList list;
    list.reserve(kEntries);
    static const char* const kExt[] = {"jpg", "txt", "pdf", "mp4", "cpp"};
    for (int i = 0; i < kEntries; ++i) {
        SiteFileInfo info;
        info.name = QStringLiteral("entry_%1.%2").arg((static_cast<qint64>(i) * 7919) % kEntries, 6, 10, QLatin1Char('0')).arg(kExt[i % 5]);
        info.size = (static_cast<uint64_t>(i) * 104729u) % 5000000u;
        info.is_dir = folders;
        info.mtime = QDateTime::fromSecsSinceEpoch(1500000000 + i, Qt::UTC);
        list << info;
    }
    return list;
}

double waitDrawn(SiteTableWidget* table, QElapsedTimer& clock)
{
    while (table->isDrawing())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double scrollPerStep(QAbstractScrollArea* view, int steps)
{
    QElapsedTimer clock;
    clock.start();
    QScrollBar* bar = view->verticalScrollBar();
    for (int i = 0; i < steps; ++i) {
        bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) * i / steps);
        view->viewport()->repaint();
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6 / steps;
}
}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DPIinfo::getInstance()->setScaleForTest(1.0, 1.0);
#ifdef QM_RESOURCE_DIR_STAGED
    const QString resources = QStringLiteral(QM_RESOURCE_DIR_STAGED);
#else
    const QString resources = QStringLiteral(QM_RESOURCE_SOURCE_DIR);
#endif
    StyleManager::getInstance()->initialize(
        {resources + QStringLiteral("/qz.stylesheet"), resources + QStringLiteral("/component.business.stylesheet")});
    UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), resources);
    ImageManager::getInstance()->initialize(0);

    SiteConnecter hub;
    SiteData data;
    data.m_current_path = QStringLiteral("0:/big");
    SiteContextMenu menu;
    SiteDetailWidget detail(&hub, &data, &menu);
    detail.resize(1000, 700);
    detail.show();
    QCoreApplication::processEvents();
    const SiteFileList files = listing(false);
    data.m_file_cache[data.m_current_path] = files;

    QElapsedTimer clock;
    clock.start();
    emit hub.sigQueryPathDone(data.m_current_path);
    const double first_slice = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const double first_page = waitDrawn(detail.tableView(), clock);

    data.m_filter.sort_column = 1;
    clock.restart();
    detail.resetPage();
    const double resorted = waitDrawn(detail.tableView(), clock);
    const double scroll = scrollPerStep(detail.tableView(), 50);

    SiteTreeWidget tree(&hub, &data, &menu);
    tree.show();
    SiteFileList roots;
    SiteFileInfo root;
    root.name = QStringLiteral("0");
    root.is_dir = root.is_root = true;
    roots << root;
    data.m_file_cache[QString()] = roots;
    emit hub.sigQueryPathDone(QString());
    SiteFileInfo top;
    top.name = QStringLiteral("/tree");
    top.is_dir = true;
    data.m_file_cache[QStringLiteral("0:")] = SiteFileList{top};
    emit hub.sigQueryPathDone(QStringLiteral("0:"));
    data.m_file_cache[QStringLiteral("0:/tree")] = listing(true);
    clock.restart();
    emit hub.sigQueryPathDone(QStringLiteral("0:/tree"));
    const double merge = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    emit hub.sigQueryPathDone(QStringLiteral("0:/tree"));
    const double merge_again = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    // Baseline: every entry in a standard model and view.
    const SiteFileList& rows = files;
    clock.restart();
    QStandardItemModel model(rows.size(), 4);
    for (int i = 0; i < rows.size(); ++i) {
        const SiteFileInfo& e = rows.at(i);
        model.setItem(i, 0, new QStandardItem(e.name));
        auto* size = new QStandardItem(getHumanReadableSize(static_cast<double>(e.size)));
        size->setData(static_cast<qulonglong>(e.size), Qt::UserRole);
        model.setItem(i, 1, size);
        model.setItem(i, 2, new QStandardItem(e.name.section(QLatin1Char('.'), -1)));
        model.setItem(i, 3, new QStandardItem(getHumanReadableTime(static_cast<unsigned int>(e.mtime.toSecsSinceEpoch()))));
    }
    model.setSortRole(Qt::UserRole);
    QTableView view;
    view.setModel(&model);
    view.resize(1000, 700);
    view.show();
    view.viewport()->repaint();
    const double base_fill = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    model.sort(1);
    view.viewport()->repaint();
    const double base_sort = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();  // the scroll range is laid out lazily
    const double base_scroll = scrollPerStep(&view, 50);

    std::printf("%-44s %12s %12s\n", "site views, 100000 entries (ms)", "ours", "baseline");
    std::printf("%-44s %12.1f %12.1f\n", "cache to first page drawn / fill and paint", first_page, base_fill);
    std::printf("%-44s %12.1f %12s\n", "first slice (returns to the event loop)", first_slice, "-");
    std::printf("%-44s %12.1f %12.1f\n", "re-sort by size to page redrawn / sort(1)", resorted, base_sort);
    std::printf("%-44s %12.2f %12.2f\n", "scroll per step", scroll, base_scroll);
    std::printf("%-44s %12.1f %12s\n", "tree merge of 100000 subfolders", merge, "-");
    std::printf("%-44s %12.1f %12s\n", "tree merge again (nothing new)", merge_again, "-");
#ifdef QM_SITE_VIEWS_TLS
    qm_test::TempDir log_dir("qm-siteviews-bench-log");
    Logger::Initialize(Logger::FILE_LOGGER, log_dir.file("ui.log"), log_dir.file("levels.debug"), 50);
    double tls = -1, cached = -1;
    {
        TlsListing run;
        run.TestBody();
        tls = run.m_ms;
        cached = run.m_cached_ms;
    }
    Logger::Destroy();
    if (tls >= 0) {
        std::printf("%-44s %12.1f %12s\n", "list request over TLS to listing cached", cached, "-");
        std::printf("%-44s %12.1f %12s\n", "list request over TLS to first page", tls, "-");
    } else
        std::printf("%-44s %12s %12s\n", "list request over TLS to first page", "failed", "-");
#else
    std::printf("%-44s %12s %12s\n", "list request over TLS to first page", "not built", "-");
#endif
    return 0;
}
