#pragma once
#include <QPushButton>

// A push button in one of the library's two looks: style 0 the main action,
// style 1 a secondary one. The look is the property "vexo_style".
class VexoButton : public QPushButton {
    Q_OBJECT
public:
    VexoButton(const QString& text, int style = 0, QWidget* parent = nullptr);
    int buttonStyle() const { return m_style; }

private:
    int m_style;
};
