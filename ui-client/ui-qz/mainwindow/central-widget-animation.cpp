// The fly-in of a newly queued transfer: the file's icon flies from the
// middle of the current pane up to the Task Manager button, then the
// button's image swells around the button and fades.
#include "central-widget.h"

#include <QGraphicsOpacityEffect>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QStackedWidget>

#include "file-type-icon.h"
#include "image_manager.h"
#include "resize-image-label.h"
#include "site-widget.h"
#include "transfer-button.h"

namespace {

QPropertyAnimation* opacityStep(QGraphicsOpacityEffect* effect, int duration, double from, double to)
{
    auto* animation = new QPropertyAnimation(effect, "opacity");
    animation->setDuration(duration);
    animation->setStartValue(from);
    animation->setEndValue(to);
    return animation;
}

ResizeImageLabel* hiddenLabel(QWidget* parent, QGraphicsOpacityEffect*& effect)
{
    auto* label = new ResizeImageLabel(parent);
    label->hide();
    effect = new QGraphicsOpacityEffect;
    effect->setOpacity(1);
    label->setGraphicsEffect(effect);
    return label;
}

// One leg of the run: the label's geometry and its effect's opacity together.
QParallelAnimationGroup* moveAndFade(ResizeImageLabel* label, QGraphicsOpacityEffect* effect, int duration,
                                     double opacity_end, QPropertyAnimation*& geometry, QPropertyAnimation*& opacity)
{
    geometry = new QPropertyAnimation(label, "geometry");
    geometry->setDuration(duration);
    geometry->setEasingCurve(QEasingCurve::InOutCubic);
    opacity = opacityStep(effect, duration, 1, opacity_end);
    auto* group = new QParallelAnimationGroup;
    group->addAnimation(geometry);
    group->addAnimation(opacity);
    return group;
}

}  // namespace

void CentralWidget::initializeAnimation()
{
    QGraphicsOpacityEffect* effect1 = nullptr;
    m_group1_label = hiddenLabel(this, effect1);
    m_group1_animation = moveAndFade(m_group1_label, effect1, 600, 0.5, m_group1_geometry, m_group1_opacity);

    QGraphicsOpacityEffect* effect2 = nullptr;
    m_group2_label = hiddenLabel(this, effect2);
    m_group2_animation = moveAndFade(m_group2_label, effect2, 400, 0, m_group2_geometry, m_group2_opacity);

    m_label1_hidden = opacityStep(effect1, 1, 0, 0);
    m_label2_hidden = opacityStep(effect2, 1, 0, 0);
    m_label2_visible = opacityStep(effect2, 1, 1, 1);

    // The sequence owns every step (the groups delete their animations).
    m_group_all_animation = new QSequentialAnimationGroup;
    m_group_all_animation->addAnimation(m_label2_hidden);
    m_group_all_animation->addAnimation(m_group1_animation);
    m_group_all_animation->addPause(300);
    m_group_all_animation->addAnimation(m_label1_hidden);
    m_group_all_animation->addAnimation(m_label2_visible);
    m_group_all_animation->addAnimation(m_group2_animation);
    connect(m_group_all_animation, &QSequentialAnimationGroup::finished, this, &CentralWidget::slotAnimationFinished);
}

void CentralWidget::slotTransferTaskAdded(QString name, bool is_dir, bool multi)
{
    m_group_all_animation->stop();
    setGroup1Property(name, is_dir, multi);
    setGroup2Property();
    m_group_all_animation->start();
    m_transfer_button->setPause(true);
    m_group1_label->show();
    m_group2_label->show();
    m_group1_label->raise();
    m_group2_label->raise();
}

void CentralWidget::setGroup1Property(const QString& name, bool is_dir, bool multi)
{
    QString type;
    QPixmap icon;
    getFileTypeIcon(name, is_dir, multi, true, type, icon);
    m_group1_label->setPixmap(icon);

    const QPoint button = m_transfer_button->mapTo(this, QPoint(0, 0));
    const int bw = m_transfer_button->width();
    const int bh = m_transfer_button->height();

    int cy = qRound(height() * 0.5);
    if (m_pages_container->count() > 0) {
        if (auto* pane = qobject_cast<SiteWidget*>(m_pages_container->currentWidget()))
            cy = m_pages_container->mapTo(this, pane->mapTo(m_pages_container, pane->getCentralPoint())).y();
    }
    m_group1_geometry->setStartValue(
        QRect(button.x() - qRound((64 - bw) * 0.5), cy - qRound((64 - bh) * 0.5), 64, 64));
    m_group1_geometry->setEndValue(
        QRect(button.x() - qRound((32 - bw) * 0.5), button.y() - qRound((32 - bh) * 0.5), 32, 32));
}

void CentralWidget::setGroup2Property()
{
    m_group2_label->setPixmap(getGlobalImage("bt_queue", ImageManager::IT_NORMAL));
    const QPoint center = m_transfer_button->mapTo(this, m_transfer_button->rect().center());
    m_group2_geometry->setStartValue(QRect(QPoint(center.x() - 14, center.y() - 17), QPoint(center.x() + 13, center.y() + 16)));
    m_group2_geometry->setEndValue(QRect(QPoint(center.x() - 56, center.y() - 68), QPoint(center.x() + 55, center.y() + 67)));
}

void CentralWidget::slotAnimationFinished()
{
    m_group1_label->hide();
    m_group2_label->hide();
    m_transfer_button->setPause(false);
}
