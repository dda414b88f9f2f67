#include "about-window.h"

#include <QBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>

#include "image_manager.h"
#include "scaled.h"
#include "str_table.h"
#include "style_manager.h"

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent)
{
    setFixedSize(scaled(440), scaled(148));
    QPalette pal = palette();
    pal.setBrush(backgroundRole(), QBrush(QColor(QStringLiteral("white"))));
    setPalette(pal);

    m_app_icon_label = new QLabel;
    m_app_icon_label->setPixmap(getGlobalImage("icon_quillmarfilemanager", ImageManager::IT_NORMAL));
    m_app_icon_label->setFixedSize(scaled(72), scaled(72));

    m_app_name_label = new QLabel(StrTable::LoadStr(StrTable::app_name));
    m_app_name_label->setStyleSheet(getStyleSheet("about_app_name", false));
    m_app_name_label->setFixedSize(scaled(268), scaled(28));

    m_version_label = new QLabel(QStringLiteral("%1: %2.%3.%4-%5")
                                     .arg(StrTable::LoadStr(StrTable::about_version))
                                     .arg(QStringLiteral("1"))
                                     .arg(QStringLiteral("0"))
                                     .arg(QStringLiteral("3"))
                                     .arg(QStringLiteral("0019")));
    m_version_label->setStyleSheet(getStyleSheet("about_version", false));
    m_version_label->setFixedSize(scaled(268), scaled(20));

    m_text_v_layout = new QVBoxLayout;
    m_text_v_layout->setSpacing(0);
    m_text_v_layout->setContentsMargins(0, scaled(12), 0, scaled(12));
    m_text_v_layout->addWidget(m_app_name_label);
    m_text_v_layout->addWidget(m_version_label);

    m_info_h_layout = new QHBoxLayout;
    m_info_h_layout->setSpacing(scaled(20));
    m_info_h_layout->setContentsMargins(scaled(40), scaled(20), scaled(40), scaled(20));
    m_info_h_layout->addWidget(m_app_icon_label);
    m_info_h_layout->addLayout(m_text_v_layout);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    m_main_v_layout->addLayout(m_info_h_layout);

    setWindowTitle(StrTable::LoadStr(StrTable::app_name));
    setWindowIcon(QIcon(getGlobalImage("app_img", ImageManager::IT_NORMAL)));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
}
