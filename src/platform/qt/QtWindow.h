#pragma once
// A Window shown by a frameless QWidget. The widget forwards paint, input, activation and close
// requests to the Window, which passes them to its host.
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/Window.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtWindowWidget.h"

namespace orvane::platform::qt {


class QtWindow : public Window {
public:
    QtWindow(EventLoop& loop, WindowHost& host, const WindowOptions& options, QtResources& resources);
    ~QtWindow() override;

    Rect geometry() const override;
    void setGeometry(const Rect& r) override;
    void setTitle(const Text& title) override;
    void setIcon(const Image& icon) override;
    void show() override;
    void hide() override;
    void minimize() override;
    bool isVisible() const override;
    bool isMinimized() const override;
    bool isActive() const override;
    void setTopmost(bool on) override;
    void activate() override;
    void invalidate(const Rect& r) override;
    void update() override;
    void setCapture() override;
    void releaseCapture() override;
    bool hasCapture() const override { return capture_; }
    void startDragMove() override;
    Point cursorPos() const override;
    intptr_t runModal() override;
    void endModal(intptr_t result) override;
    bool inModal() const override { return !modalLoops_.empty(); }

    std::unique_ptr<EditField> createEditField(const EditFieldOptions& options) override;
    void announce(AccessibleEvent event, int item) override;

    QWidget* widget() const { return widget_; }
    // False while a modal run of another window (not one this window owns) goes on.
    bool acceptsInput() const;

private:
    friend class QtWindowWidget;
    void paint(QPainter& painter, const QRect& dirty);
    void pointer(PointerKind kind, const QPoint& pos, const QPoint& global, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers mods);
    void dragTo(const QPoint& global);
    void key(const QKeyEvent& e);
    void wheel(const QPoint& pos, int delta, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void activationChanged(bool active);
    void closeRequested();

    QPointer<QtWindowWidget> widget_;
    // Minimised by the program and not shown since: on Wayland Qt soon forgets the state (the
    // compositor reports none), and only mapping the window afresh brings it back.
    bool minimized_ = false;
    QtResources& resources_;
    WindowKind kind_;
    QtWindow* parent_ = nullptr;
    bool capture_ = false;
    bool manualDrag_ = false;
    QPoint dragOffset_;
    QPoint lastGlobal_;
    QPoint pressGlobal_;  // where the left button went down last
    Rect dirty_;
    bool painted_ = false;
    std::vector<QEventLoop*> modalLoops_;
    intptr_t modalResult_ = 0;
};

// The virtual-key code of a Qt key as the layout produced it, or 0.
uint32_t virtualKeyOf(int qtKey, Qt::KeyboardModifiers mods);
// Our key event for a Qt one: the physical key when the platform reports it, its virtual-key
// code (0 for keys we have no code for), the modifiers held and the text typed.
KeyEvent keyEventOf(const QKeyEvent& e);

}  // namespace orvane::platform::qt
