#pragma once
// A Window shown by a frameless QWidget. The widget forwards paint, input, activation and close
// requests to the Window, which passes them to its host.
#include <QEventLoop>
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

    QWidget* widget() const { return widget_; }

private:
    friend class QtWindowWidget;
    void paint(QPainter& painter, const QRect& dirty);
    void pointer(PointerKind kind, const QPoint& pos, const QPoint& global, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers mods);
    bool acceptsInput() const;
    void dragTo(const QPoint& global);
    void key(bool down, int qtKey, Qt::KeyboardModifiers mods, bool autoRepeat);
    void activationChanged(bool active);
    void closeRequested();

    QPointer<QtWindowWidget> widget_;
    QtResources& resources_;
    WindowKind kind_;
    QtWindow* parent_ = nullptr;
    bool capture_ = false;
    bool manualDrag_ = false;
    QPoint dragOffset_;
    QPoint lastGlobal_;
    Rect dirty_;
    std::vector<QEventLoop*> modalLoops_;
    intptr_t modalResult_ = 0;
};

// The virtual-key code of a Qt key, or 0.
uint32_t virtualKeyOf(int qtKey, Qt::KeyboardModifiers mods);

}  // namespace orvane::platform::qt
