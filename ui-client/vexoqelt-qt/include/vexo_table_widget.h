#pragma once
#include <vector>

#include <QString>
#include <QWidget>

class QHeaderView;
class QTableWidget;

// The columns of a VexoTableWidget, in call order. Widths are pixels at
// scale 1; resizable columns share the spare width in proportion to ratio.
class VexoTableColumnsInfo {
public:
    struct Column {
        QString name;
        int width = 0;
        bool resizable = false;
        double ratio = 0.0;
    };

    void addColumn(const QString& name, int width, bool resizable, double ratio);
    const std::vector<Column>& columns() const { return m_columns; }

private:
    std::vector<Column> m_columns;
};

// A table of whole-row, extended selection without editing or row header.
// Column widths are scaled here; width left over in the view goes to the
// resizable columns by their ratios.
class VexoTableWidget : public QWidget {
    Q_OBJECT
public:
    explicit VexoTableWidget(const VexoTableColumnsInfo& columns, QWidget* parent = nullptr);

    QTableWidget* getTable() const { return m_table; }
    QHeaderView* getHeader() const;
    // The scaled width of a column before any spare width is shared.
    int baseColumnWidth(int column) const;
    // Changes that width (already scaled) and lays the columns out again.
    void setBaseColumnWidth(int column, int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutColumns();

    VexoTableColumnsInfo m_columns;
    std::vector<int> m_base_widths;
    QTableWidget* m_table = nullptr;
};
