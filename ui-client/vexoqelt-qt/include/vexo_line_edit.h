#pragma once
#include <functional>

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLineEdit;

// A line edit between two labels, with an optional validator and an error look.
class VexoLineEdit : public QWidget {
    Q_OBJECT
public:
    explicit VexoLineEdit(QWidget* parent = nullptr);

    QLineEdit* getLineEdit() const { return m_edit; }
    QLabel* getPreLabel() const { return m_pre_label; }
    QLabel* getPostLabel() const { return m_post_label; }
    QString getEditText() const;

    void setMargins(int left, int top, int right, int bottom);
    void setSpacing(int spacing);
    // A check of the text; validate() runs it.
    void setValidator(std::function<bool(const QString&)> validator);
    // The validator's verdict on the current text; true without one.
    bool validate() const;
    // Shows or clears the error look (the line edit's property "error").
    void setError(bool error);
    bool hasError() const;

private:
    QHBoxLayout* m_layout = nullptr;
    QLabel* m_pre_label = nullptr;
    QLineEdit* m_edit = nullptr;
    QLabel* m_post_label = nullptr;
    std::function<bool(const QString&)> m_validator;
};
