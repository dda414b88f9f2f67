// The Task Manager's poll over a large queue: 1,000 and then 100,000 waiting
// tasks over 4 peers in the process-wide task store. For each size it prints
// the bare getInfos of the pages the views ask for beside each view's whole
// poll (query, cells, layout and paint), and Clear and move to top of 100
// selected tasks with their reload. The median of a few runs each.
// Run it offscreen: QT_QPA_PLATFORM=offscreen bench/task_manager_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "action-bar.h"
#include "client-core-manager.h"
#include "full-queue.h"
#include "global-connecter.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "simple-queue.h"
#include "site-info-manager.h"
#include "style_manager.h"
#include "vexo_paging_bar.h"
#include "vexo_table_widget.h"

namespace {

const int kPeers = 4;
const int kBatch = 1000;
const int kRuns = 7;
const int kSelected = 100;

int g_added = 0;

ResumeInfo makeTask(int index)
{
    ResumeInfo task;
    task.peer_id = 1 + static_cast<uint64_t>(index % kPeers);
    task.command = index % 2 ? C_PULL : C_PUSH;
    const std::string name = "some file name " + std::to_string(index) + ".bin";
    task.path_from = ustring("/volume1/share/folder/" + name);
    task.path_to = ustring("/home/user/Downloads/folder/" + name);
    task.total = 1 << 20;
    return task;
}

int listedTasks()
{
    ResumeFilter filter;
    filter.limit = 0;
    std::vector<ResumeInfo> none;
    int total = 0;
    uint64_t down = 0, up = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, none, total, down, up);
    return total;
}

// Adds waiting tasks until the store lists count of them.
void fillTo(int count)
{
    std::vector<ResumeInfo> batch;
    for (int missing = count - listedTasks(); missing > 0; --missing) {
        batch.push_back(makeTask(g_added++));
        if (batch.size() == static_cast<size_t>(kBatch)) {
            ClientCoreManager::getCoreManager()->addInfos(batch);
            batch.clear();
        }
    }
    if (!batch.empty())
        ClientCoreManager::getCoreManager()->addInfos(batch);
}

double medianMs(const std::function<void()>& prepare, const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double bareQuery(int offset, int limit, bool one_peer)
{
    ResumeFilter filter;
    filter.offset = offset;
    filter.limit = limit;
    if (one_peer) {
        filter.check_peer_id = true;
        filter.peer_ids = {1};
    }
    return medianMs({}, [&] {
        std::vector<ResumeInfo> infos;
        int total = 0;
        uint64_t down = 0, up = 0;
        ClientCoreManager::getCoreManager()->getInfos(filter, infos, total, down, up);
    });
}

void selectRows(QTableWidget* table, int count)
{
    QItemSelection selection;
    selection.select(table->model()->index(0, 0), table->model()->index(count - 1, FullQueue::COL_COUNT - 1));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void printRow(const char* name, double bare, double poll)
{
    if (bare > 0)
        std::printf("  %-34s %10.2f %10.2f\n", name, bare, poll);
    else
        std::printf("  %-34s %10s %10.2f\n", name, "", poll);
}

void measure(int size, FullQueue& full, SimpleQueue& simple)
{
    fillTo(size);
    const int last_page = (size - 1) / 100 + 1;
    std::printf("\n%d tasks over %d peers          getInfos ms  poll ms\n", size, kPeers);

    full.slotTopToolBarItemChanged(QString());
    const double page1 = bareQuery(0, 100, false);
    printRow("full view, page 1", page1, medianMs({}, [&] {
        full.pagingModel()->setNowPage(1);
        full.reloadTasks();
        full.repaint();
    }));
    const double last = bareQuery((last_page - 1) * 100, 100, false);
    printRow("full view, last page", last, medianMs({}, [&] {
        full.pagingModel()->setNowPage(last_page);
        full.reloadTasks();
        full.repaint();
    }));
    full.slotTopToolBarItemChanged(QStringLiteral("user1@nas"));
    const double filtered = bareQuery(0, 100, true);
    printRow("full view, one peer, page 1", filtered, medianMs({}, [&] {
        full.pagingModel()->setNowPage(1);
        full.reloadTasks();
        full.repaint();
    }));
    full.slotTopToolBarItemChanged(QString());
    const double first8 = bareQuery(0, 8, false);
    printRow("simple view, first 8", first8, medianMs({}, [&] {
        simple.reloadTasks();
        simple.repaint();
    }));

    QTableWidget* table = full.table()->getTable();
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    // Page 2 is moved to the top: a real move each run.
    printRow("move to top of 100 + reload", 0, medianMs(
        [&] {
            full.pagingModel()->setNowPage(2);
            full.reloadTasks();
            selectRows(table, kSelected);
        },
        [&] {
            emit hub->sigTransferActionButtonClicked(ActionBar::BA_MOVETOTOP);
            full.repaint();
        }));
    std::vector<uint64_t> cleared;
    printRow("clear of 100 + reload", 0, medianMs(
        [&] {
            full.pagingModel()->setNowPage(1);
            full.reloadTasks();
            selectRows(table, kSelected);
            full.getSelectedResumeIds(cleared);
        },
        [&] {
            emit hub->sigTransferActionButtonClicked(ActionBar::BA_CLEAR);
            full.repaint();
        }));
    // The engine drops aborted tasks; here the bench does.
    for (uint64_t id : cleared)
        ClientCoreManager::getCoreManager()->removeInfo(id);
    fillTo(size);
}

// Qt's notes on the offscreen platform would bury the table.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type >= QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(quietMessages);
    const QString resources = QStringLiteral(QM_RESOURCE_SOURCE_DIR);
    StyleManager::getInstance()->initialize(
        {resources + QStringLiteral("/qz.stylesheet"), resources + QStringLiteral("/component.business.stylesheet")});
    // Clear tells the engine of each task: a listening engine takes the commands.
    TransferService* engine = ClientCoreManager::getTransferService();
    if (engine->init(TRANSFER_SIDE_CLIENT, 0) != 0 || engine->startService() != 0) {
        std::fprintf(stderr, "the engine did not start\n");
        return 1;
    }
    for (int peer = 1; peer <= kPeers; ++peer) {
        SiteInfo site;
        site.peer_id = static_cast<uint64_t>(peer);
        site.user_name = QStringLiteral("user%1").arg(peer);
        site.domain_name = QStringLiteral("nas");
        SiteInfoManager::getInstance()->setSiteInfo(site);
    }

    FullQueue full;
    full.resize(880, 400);
    full.show();
    SimpleQueue simple;
    simple.resize(280, 420);
    simple.show();
    QApplication::processEvents();

    for (int size : {1000, 100000})
        measure(size, full, simple);
    engine->stopService();
    return 0;
}
