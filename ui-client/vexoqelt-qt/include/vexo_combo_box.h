#pragma once
#include <QComboBox>

// A combo box whose pop-up items are drawn by a styled item delegate, so that
// style sheets reach them.
class VexoComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit VexoComboBox(QWidget* parent = nullptr);
};
