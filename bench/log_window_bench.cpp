// The Log window's page turns over a million transfers (each with its
// general-log row): for each view and case, the bare LogDB::searchLog of the
// page beside the view's whole turn (query, items, the event log's reused
// rich-text labels, layout and paint). Prints one table; the median of a few
// runs each. Run it offscreen: QT_QPA_PLATFORM=offscreen bench/log_window_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "log-db.h"
#include "misc-log-widget.h"
#include "style_manager.h"
#include "transfer-log-widget.h"

namespace {

const size_t kRows = 1000000;
const size_t kBatch = 1000;
const int kRuns = 5;

TransferLog makeTransfer(size_t i)
{
    TransferLog log;
    log.type = (i % 2) ? LOG_DOWNLOAD : LOG_UPLOAD;
    log.username = "user" + std::to_string(i % 50);
    log.ip = "192.168.1." + std::to_string(i % 250);
    log.file_name = "file" + std::to_string(i) + ".dat";
    // One transfer in a thousand has the rare word; every other has "hay".
    log.path_from = "/share/projects/" + std::string(i % 1000 == 0 ? "needle" : "hay") + "/file" +
                    std::to_string(i) + ".dat";
    log.path_to = "/home/user/Downloads/file" + std::to_string(i) + ".dat";
    log.start_time = 1700000000000ull + i * 1000;
    log.end_time = log.start_time + 500;
    log.elapsed_time = 500;
    log.avg_speed = 1 << 20;
    log.file_size = 512 * 1024;
    return log;
}

double medianMs(const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Case {
    const char* name;
    int page;
    QString keyword;
    std::vector<int> types;
};

template <typename View, typename Filter, typename Record>
void measureView(const char* title, const std::vector<Case>& cases, bool default_types)
{
    LogFilter filter;
    View view(&filter);
    view.resize(900, 560);
    view.show();
    QApplication::processEvents();
    std::printf("\n%s\n%-22s %12s %12s %12s %8s\n", title, "case", "rows/total", "query ms", "turn ms", "ratio");
    for (const Case& c : cases) {
        filter.clear();
        filter.keyword = c.keyword;
        filter.type = c.types;
        Filter query;
        query.search_string = c.keyword.toStdString();
        query.log_type = c.types.empty() && default_types ? std::vector<int>{LOG_UPLOAD, LOG_DOWNLOAD} : c.types;
        query.limit = BaseLogWidget::kPageSize;
        query.offset = static_cast<size_t>(c.page - 1) * BaseLogWidget::kPageSize;
        unsigned int total = 0;
        size_t rows = 0;
        const double bare = medianMs([&] {
            std::vector<Record> records;
            if (LogDB::searchLog(query, records, total) < 0)
                std::abort();
            rows = records.size();
        });
        const double turn = medianMs([&] {
            view.pagingModel()->setNowPage(c.page);
            view.reload();
            view.repaint();
        });
        std::printf("%-22s %5zu/%-7u %11.1f %12.1f %8.1f\n", c.name, rows, total, bare, turn, turn / bare);
    }
}

}  // namespace

// Qt's notes on the offscreen platform would bury the table.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type >= QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    qInstallMessageHandler(quietMessages);
    // The program's own style sheets, so that labels and tables cost what they do there.
    const QString resources = QStringLiteral(QM_RESOURCE_SOURCE_DIR);
    StyleManager::getInstance()->initialize(
        {resources + QStringLiteral("/qz.stylesheet"), resources + QStringLiteral("/component.business.stylesheet")});
    QTemporaryDir dir;
    if (!dir.isValid() || LogDB::initialize(dir.filePath("log-db.sqlite").toStdString()) != 0)
        return 1;
    LogDB::setLogDelCount(false, 0);
    LogDB::setLogDelSpan(false, 0);
    QElapsedTimer fill;
    fill.start();
    std::vector<TransferLog> batch;
    for (size_t stored = 0; stored < kRows; stored += kBatch) {
        batch.clear();
        for (size_t i = 0; i < kBatch; ++i)
            batch.push_back(makeTransfer(stored + i));
        if (LogDB::insertTransferLogs(batch) != 0)
            return 1;
    }
    std::printf("stored %zu transfers with their general-log rows in %.1f s\n", kRows,
                static_cast<double>(fill.elapsed()) / 1000.0);

    const std::vector<Case> cases = {
        {"page 1", 1, QString(), {}},
        {"page 500", 500, QString(), {}},
        {"last page", 1000, QString(), {}},
        {"keyword, few rows", 1, QStringLiteral("needle"), {}},
        {"keyword, many rows", 1, QStringLiteral("hay"), {}},
        {"one type", 1, QString(), {LOG_DOWNLOAD}},
    };
    measureView<MiscLogWidget, MiscLogFilter, MiscLog>("Event log", cases, false);
    measureView<TransferLogWidget, TransferLogFilter, TransferLog>("File transfer log", cases, true);
    LogDB::destroy();
    return 0;
}
