#include "platform/qt/QtWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/qt/QtAccessible.h"
#include "platform/qt/QtEditField.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/QtWindowWidget.h"

namespace orvane::platform::qt {

namespace {
// Windows in a modal run, innermost last. While one runs, only it and the windows it owns
// (its popups, dialogs it opened) take input, as an owner window is disabled under its dialog.
std::vector<QtWindow*>& modalStack() {
    static std::vector<QtWindow*> stack;
    return stack;
}

uint32_t flagsOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    uint32_t f = 0;
    if (buttons & Qt::LeftButton) f |= kButtonLeft;
    if (buttons & Qt::RightButton) f |= kButtonRight;
    if (buttons & Qt::MiddleButton) f |= kButtonMiddle;
    if (mods & Qt::ShiftModifier) f |= kModShift;
    if (mods & Qt::ControlModifier) f |= kModControl;
    return f;
}
}  // namespace

QtWindow::QtWindow(EventLoop& loop, WindowHost& host, const WindowOptions& options, QtResources& resources)
    : Window(loop, host), resources_(resources), kind_(options.kind) {
    parent_ = dynamic_cast<QtWindow*>(options.parent);
    QWidget* parentWidget = parent_ ? parent_->widget() : nullptr;
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    if (kind_ == WindowKind::Popup)
        flags |= Qt::Tool | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint;
    else if (kind_ == WindowKind::Overlay)
        // A tooltip-type window: override-redirect on X11, so no window manager gives it focus or
        // a task bar entry; the input flags make clicks reach whatever lies below.
        flags |= Qt::ToolTip | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint | Qt::WindowDoesNotAcceptFocus |
                 Qt::WindowTransparentForInput;
    else
        flags |= Qt::Window;
    widget_ = new QtWindowWidget(this, parentWidget, flags);
    if (kind_ == WindowKind::Overlay) {
        widget_->setAttribute(Qt::WA_ShowWithoutActivating);
        widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    setGeometry(options.geometry);
}

QtWindow::~QtWindow() {
    detach();
    for (QEventLoop* l : modalLoops_) l->exit(0);
    auto& stack = modalStack();
    std::erase(stack, this);
    if (widget_) {
        widget_->forget();
        widget_->hide();
        widget_->deleteLater();  // we may be inside one of its event handlers
    }
}

bool QtWindow::acceptsInput() const {
    const auto& stack = modalStack();
    if (stack.empty()) return true;
    for (const QtWindow* w = this; w; w = w->parent_)
        if (w == stack.back()) return true;
    return false;
}

Rect QtWindow::geometry() const {
    if (!widget_) return {};
    const QRect g = widget_->geometry();
    return Rect::fromSize(g.x(), g.y(), g.width(), g.height());
}

void QtWindow::setGeometry(const Rect& r) {
    if (!widget_) return;
    widget_->setFixedSize(std::max(r.width(), 1), std::max(r.height(), 1));
    widget_->move(r.left, r.top);
}

void QtWindow::setTitle(const Text& title) {
    if (widget_) widget_->setWindowTitle(toQString(title));
}

void QtWindow::setIcon(const Image& icon) {
    if (widget_ && icon) widget_->setWindowIcon(QIcon(QPixmap::fromImage(QtResources::iconCopy(icon))));
}

void QtWindow::show() {
    if (!widget_) return;
    const bool minimized = widget_->isMinimized() || minimized_;
    minimized_ = false;
    if (!minimized) {
        widget_->show();
        return;
    }
    // A Wayland client can minimise its window but never restore it: only the compositor can.
    // Mapping the window afresh brings it back in its normal state.
    if (QGuiApplication::platformName().startsWith("wayland")) widget_->hide();
    widget_->showNormal();
}

void QtWindow::hide() {
    minimized_ = false;
    if (widget_) widget_->hide();
}

void QtWindow::minimize() {
    if (!widget_) return;
    minimized_ = true;
    widget_->showMinimized();
}

bool QtWindow::isVisible() const { return widget_ && widget_->isVisible(); }
bool QtWindow::isMinimized() const { return widget_ && widget_->isMinimized(); }
bool QtWindow::isActive() const { return widget_ && widget_->isActiveWindow(); }

void QtWindow::setTopmost(bool on) {
    if (!widget_ || widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool visible = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) widget_->show();  // changing flags hides the window
}

void QtWindow::activate() {
    if (!widget_ || kind_ == WindowKind::Overlay) return;
    widget_->raise();
    widget_->activateWindow();
}

void QtWindow::invalidate(const Rect& r) {
    if (!widget_ || r.isEmpty()) return;
    dirty_ = dirty_.united(r);
    widget_->update(QRect(r.left, r.top, r.width(), r.height()));
}

void QtWindow::update() {
    if (!widget_ || dirty_.isEmpty() || !widget_->isVisible()) return;
    const Rect d = dirty_;
    widget_->repaint(QRect(d.left, d.top, d.width(), d.height()));
}

void QtWindow::setCapture() {
    if (!widget_ || capture_) return;
    capture_ = true;
    if (widget_->isVisible()) widget_->grabMouse();
}

void QtWindow::releaseCapture() {
    if (!widget_ || !capture_) return;
    capture_ = false;
    widget_->releaseMouse();
}

void QtWindow::startDragMove() {
    if (!widget_) return;
    QWindow* handle = widget_->windowHandle();
    if (handle && handle->startSystemMove()) return;
    // No help from the desktop (or none at all, offscreen): follow the pointer ourselves.
    // The move starts with the first motion after the press: the window follows from the press
    // point, so that motion counts too.
    manualDrag_ = true;
    dragOffset_ = pressGlobal_ - widget_->pos();
    dragTo(lastGlobal_);
}

void QtWindow::dragTo(const QPoint& global) {
    if (widget_) widget_->move(global - dragOffset_);
}

Point QtWindow::cursorPos() const {
    if (!widget_) return {-1, -1};
    const QPoint p = widget_->mapFromGlobal(QCursor::pos());
    return {p.x(), p.y()};
}

intptr_t QtWindow::runModal() {
    QEventLoop loop;
    modalLoops_.push_back(&loop);
    modalStack().push_back(this);
    modalResult_ = 0;
    loop.exec();
    std::erase(modalStack(), this);
    std::erase(modalLoops_, &loop);
    return modalResult_;
}

std::unique_ptr<EditField> QtWindow::createEditField(const EditFieldOptions& options) {
    if (!widget_) return nullptr;
    return std::make_unique<QtEditField>(widget_, options, resources_);
}

void QtWindow::endModal(intptr_t result) {
    if (modalLoops_.empty()) return;
    modalResult_ = result;
    modalLoops_.back()->exit(0);
}

// ---- From the widget ----

void QtWindow::paint(QPainter& painter, const QRect& dirty) {
    if (detached()) return;
    const Rect d = Rect::fromSize(dirty.x(), dirty.y(), dirty.width(), dirty.height());
    dirty_ = Rect{};
    const QSize s = widget_->size();
    QtPainter qp(painter, {s.width(), s.height()}, resources_);
    host().onPaint(qp, d);
    if (!painted_) {
        painted_ = true;
        // Building and first drawing a window (files read, pictures decoded, fonts and layouts
        // set up) leaves free but resident holes in the heap, about 2 MB for the main window;
        // once it is on screen they go back to the system.
#if defined(__GLIBC__)
        QTimer::singleShot(0, widget_, [] { malloc_trim(0); });
#endif
    }
}

void QtWindow::pointer(PointerKind kind, const QPoint& pos, const QPoint& global, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers mods) {
    if (detached()) return;
    if (kind != PointerKind::Leave) lastGlobal_ = global;
    if (kind == PointerKind::LeftDown) pressGlobal_ = global;
    if (manualDrag_) {
        if (kind == PointerKind::Move && (buttons & Qt::LeftButton)) {
            dragTo(global);
            return;
        }
        manualDrag_ = false;
        if (kind == PointerKind::LeftUp) return;  // the drag took the release
    }
    if (!acceptsInput() && kind != PointerKind::Leave) return;
    deliverPointer(PointerEvent{kind, {pos.x(), pos.y()}, flagsOf(buttons, mods)});
}

void QtWindow::wheel(const QPoint& pos, int delta, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    if (detached() || !acceptsInput() || delta == 0) return;
    PointerEvent e{PointerKind::Wheel, {pos.x(), pos.y()}, flagsOf(buttons, mods)};
    e.wheelDelta = delta;
    deliverPointer(e);
}

void QtWindow::key(const QKeyEvent& e) {
    if (detached() || !acceptsInput()) return;
    const KeyEvent k = keyEventOf(e);
    if (k.vk) host().onKey(k);
}

void QtWindow::announce(AccessibleEvent event, int item) {
    if (!detached()) announceAccessible(widget_, event, item);
}

void QtWindow::activationChanged(bool active) {
    if (!detached()) host().onActivate(active);
}

void QtWindow::closeRequested() {
    if (!detached()) host().onCloseRequest();
}

}  // namespace orvane::platform::qt
