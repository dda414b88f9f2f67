#include "vexo_date_selector.h"

#include <QVariant>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "library_services.h"

namespace {

const char* const kMonthKeys[12][2] = {
    {"month_jan", "January"}, {"month_feb", "February"}, {"month_mar", "March"},
    {"month_apr", "April"},   {"month_may", "May"},      {"month_jun", "June"},
    {"month_jul", "July"},    {"month_aug", "August"},   {"month_sep", "September"},
    {"month_oct", "October"}, {"month_nov", "November"}, {"month_dec", "December"}};

// Sunday first, as the calendar shows its columns.
const char* const kDayKeys[7][2] = {
    {"sunday", "Sunday"},     {"monday", "Monday"}, {"tuesday", "Tuesday"},
    {"wednesday", "Wednesday"}, {"thursday", "Thursday"}, {"friday", "Friday"},
    {"saturday", "Saturday"}};

int commonPrefixLength(const QStringList& names)
{
    int length = 0;
    while (true) {
        for (const QString& name : names) {
            if (name.size() <= length + 1 || name[length] != names.first()[length])
                return length;
        }
        ++length;
    }
}

}  // namespace

VexoDateSelector::VexoDateSelector(const QString& caption, QWidget* parent)
    : QComboBox(parent), m_caption(caption)
{
    setStyleSheet(vexo::componentStyleSheet("component.date_selector"));
    clearDate();
}

void VexoDateSelector::dateSelect(const QDate& date)
{
    if (!date.isValid()) {
        clearDate();
        return;
    }
    clear();
    addItem(date.toString(QStringLiteral("yyyy-MM-dd")), date);
    setCurrentIndex(0);
}

void VexoDateSelector::clearDate()
{
    clear();
    addItem(m_caption, QDate());
    setCurrentIndex(0);
}

QDate VexoDateSelector::selectedDate() const
{
    return currentData(Qt::UserRole).toDate();
}

void VexoDateSelector::showPopup()
{
    if (m_popup && m_popup->isVisible())
        return;
    const QDate current = selectedDate();
    m_popup = new DateSelectorPopup(current.isValid() ? current : QDate::currentDate(), this);
    m_popup->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_popup, &DateSelectorPopup::sigPicked, this, [this](const QDate& date) {
        dateSelect(date);
        hidePopup();
        emit sigDateSelected(date);
    });
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void VexoDateSelector::hidePopup()
{
    if (m_popup)
        m_popup->close();  // deletes it later (WA_DeleteOnClose)
    m_popup = nullptr;
    QComboBox::hidePopup();
}

DateSelectorPopup::DateSelectorPopup(const QDate& shown, QWidget* parent)
    : QWidget(parent, Qt::Popup), m_year(shown.year()), m_month(shown.month())
{
    build();
    showMonth(m_year, m_month);
}

void DateSelectorPopup::build()
{
    auto* prev = new QToolButton(this);
    prev->setText(QStringLiteral("<"));
    prev->setAutoRaise(true);
    auto* next = new QToolButton(this);
    next->setText(QStringLiteral(">"));
    next->setAutoRaise(true);
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    connect(prev, &QToolButton::clicked, this, [this] {
        const QDate d = QDate(m_year, m_month, 1).addMonths(-1);
        showMonth(d.year(), d.month());
    });
    connect(next, &QToolButton::clicked, this, [this] {
        const QDate d = QDate(m_year, m_month, 1).addMonths(1);
        showMonth(d.year(), d.month());
    });
    auto* head = new QHBoxLayout;
    head->addWidget(prev);
    head->addWidget(m_title, 1);
    head->addWidget(next);

    auto* grid = new QGridLayout;
    grid->setSpacing(vexo::scaled(2));
    QStringList names;
    for (int d = 0; d < 7; ++d)
        names << vexo::componentString(kDayKeys[d][0], kDayKeys[d][1]);
    const int skip = commonPrefixLength(names);
    for (int d = 0; d < 7; ++d) {
        // A column is titled with the start of the day's own part of its name
        // ("Mo" of "Monday", the last sign of a name whose start all share).
        auto* label = new QLabel(names[d].mid(skip, 2), this);
        label->setToolTip(names[d]);
        label->setAlignment(Qt::AlignCenter);
        m_weekday_labels.append(label);
        grid->addWidget(label, 0, d);
    }
    for (int cell = 0; cell < 42; ++cell) {
        auto* button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setFixedSize(vexo::scaled(28), vexo::scaled(24));
        connect(button, &QToolButton::clicked, this, [this, button] {
            const QDate date = button->property("date").toDate();
            if (date.isValid())
                emit sigPicked(date);
        });
        m_day_buttons.append(button);
        grid->addWidget(button, 1 + cell / 7, cell % 7);
    }
    m_today = new QPushButton(vexo::componentString("today", "Today"), this);
    m_today->setAutoDefault(false);
    connect(m_today, &QPushButton::clicked, this, [this] { emit sigPicked(QDate::currentDate()); });

    auto* layout = new QVBoxLayout(this);
    const int margin = vexo::scaled(6);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(head);
    layout->addLayout(grid);
    layout->addWidget(m_today, 0, Qt::AlignHCenter);
}

void DateSelectorPopup::showMonth(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return;
    m_year = year;
    m_month = month;
    m_title->setText(monthTitle());
    const int lead = first.dayOfWeek() % 7;  // Sunday is column 0
    const QDate start = first.addDays(-lead);
    for (int cell = 0; cell < m_day_buttons.size(); ++cell) {
        QToolButton* button = m_day_buttons[cell];
        const QDate date = start.addDays(cell);
        const bool in_month = date.month() == month;
        button->setProperty("date", in_month ? date : QDate());
        button->setText(in_month ? QString::number(date.day()) : QString());
        button->setEnabled(in_month);
    }
}

QString DateSelectorPopup::monthTitle() const
{
    return vexo::componentString(kMonthKeys[m_month - 1][0], kMonthKeys[m_month - 1][1]) +
           QLatin1Char(' ') + QString::number(m_year);
}

QStringList DateSelectorPopup::weekdayTitles() const
{
    QStringList titles;
    for (QLabel* label : m_weekday_labels)
        titles << label->text();
    return titles;
}

QAbstractButton* DateSelectorPopup::dayButton(int day) const
{
    for (QToolButton* button : m_day_buttons) {
        const QDate date = button->property("date").toDate();
        if (date.isValid() && date.day() == day)
            return button;
    }
    return nullptr;
}

QAbstractButton* DateSelectorPopup::todayButton() const
{
    return m_today;
}
