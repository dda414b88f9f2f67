#pragma once
#include <QCheckBox>

// The library's check box.
class VexoCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit VexoCheckBox(const QString& text, QWidget* parent = nullptr);
};
