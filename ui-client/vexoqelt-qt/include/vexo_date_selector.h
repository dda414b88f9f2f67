#pragma once
#include <QComboBox>
#include <QDate>
#include <QPointer>

class DateSelectorPopup;
class QAbstractButton;
class QLabel;
class QPushButton;
class QToolButton;

// A combo box that picks a day from a calendar pop-up. The chosen day is the
// current item's data (Qt::UserRole); without one it shows its caption and
// the data is an invalid QDate.
class VexoDateSelector : public QComboBox {
    Q_OBJECT
public:
    explicit VexoDateSelector(const QString& caption, QWidget* parent = nullptr);

    // Shows the day and makes it the current item's data.
    void dateSelect(const QDate& date);
    // Shows the caption and no day.
    void clearDate();
    QDate selectedDate() const;
    QString caption() const { return m_caption; }
    // The calendar while it is shown (else null).
    DateSelectorPopup* popup() const { return m_popup; }

    void showPopup() override;
    void hidePopup() override;

signals:
    void sigDateSelected(QDate date);

private:
    QString m_caption;
    QPointer<DateSelectorPopup> m_popup;
};

// The calendar of a VexoDateSelector: month and year with arrows, the days of
// the week, the days of the month, and a "Today" button. Names come from the
// component strings.
class DateSelectorPopup : public QWidget {
    Q_OBJECT
public:
    DateSelectorPopup(const QDate& shown, QWidget* parent = nullptr);

    void showMonth(int year, int month);
    int shownYear() const { return m_year; }
    int shownMonth() const { return m_month; }
    QString monthTitle() const;
    QStringList weekdayTitles() const;
    // The button of a day of the shown month, or null.
    QAbstractButton* dayButton(int day) const;
    QAbstractButton* todayButton() const;

signals:
    void sigPicked(QDate date);

private:
    void build();

    int m_year;
    int m_month;
    QLabel* m_title = nullptr;
    QList<QLabel*> m_weekday_labels;
    QList<QToolButton*> m_day_buttons;  // 42 cells, six weeks
    QPushButton* m_today = nullptr;
};
