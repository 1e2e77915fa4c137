#include "platform/qt/QtWindowWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/qt/QtWindow.h"

namespace orvane::platform::qt {

QtWindowWidget::QtWindowWidget(QtWindow* owner, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void QtWindowWidget::paintEvent(QPaintEvent* e) {
    if (!owner_) return;
    // The backing store is our one off-screen picture: Qt copies it to the screen in one go.
    QPainter painter(this);
    owner_->paint(painter, e->rect());
}

void QtWindowWidget::mouseMoveEvent(QMouseEvent* e) {
    if (owner_)
        owner_->pointer(PointerKind::Move, e->position().toPoint(), e->globalPosition().toPoint(), e->buttons(),
                        e->modifiers());
}

void QtWindowWidget::mousePressEvent(QMouseEvent* e) {
    if (!owner_) return;
    const PointerKind kind = e->button() == Qt::LeftButton    ? PointerKind::LeftDown
                             : e->button() == Qt::RightButton ? PointerKind::RightDown
                                                              : PointerKind::Move;
    if (kind != PointerKind::Move)
        owner_->pointer(kind, e->position().toPoint(), e->globalPosition().toPoint(), e->buttons(), e->modifiers());
}

void QtWindowWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (!owner_) return;
    const PointerKind kind = e->button() == Qt::LeftButton    ? PointerKind::LeftUp
                             : e->button() == Qt::RightButton ? PointerKind::RightUp
                                                              : PointerKind::Move;
    if (kind != PointerKind::Move)
        owner_->pointer(kind, e->position().toPoint(), e->globalPosition().toPoint(), e->buttons(), e->modifiers());
}

void QtWindowWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!owner_) return;
    const PointerKind kind = e->button() == Qt::LeftButton ? PointerKind::LeftDoubleClick : PointerKind::RightDown;
    owner_->pointer(kind, e->position().toPoint(), e->globalPosition().toPoint(), e->buttons(), e->modifiers());
}

void QtWindowWidget::leaveEvent(QEvent*) {
    if (owner_) owner_->pointer(PointerKind::Leave, {}, {}, Qt::NoButton, Qt::NoModifier);
}

void QtWindowWidget::wheelEvent(QWheelEvent* e) {
    if (owner_) owner_->wheel(e->position().toPoint(), e->angleDelta().y(), e->buttons(), e->modifiers());
}

void QtWindowWidget::keyPressEvent(QKeyEvent* e) {
    if (owner_) owner_->key(*e);
}

void QtWindowWidget::keyReleaseEvent(QKeyEvent* e) {
    if (owner_) owner_->key(*e);
}

void QtWindowWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (owner_ && e->type() == QEvent::ActivationChange) owner_->activationChanged(isActiveWindow());
}

void QtWindowWidget::closeEvent(QCloseEvent* e) {
    // The window decides: a dialog cancels, the main window may refuse.
    e->ignore();
    if (owner_) owner_->closeRequested();
}

}  // namespace orvane::platform::qt
