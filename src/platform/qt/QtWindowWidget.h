#pragma once
#include <QWidget>

namespace orvane::platform::qt {

class QtWindow;

// Forwards everything that matters to its QtWindow; owns nothing.
class QtWindowWidget : public QWidget {
public:
    QtWindowWidget(QtWindow* owner, QWidget* parent, Qt::WindowFlags flags);
    void forget() { owner_ = nullptr; }
    // The window this widget shows; none once that has gone.
    QtWindow* owner() const { return owner_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Tab and Shift+Tab move between the controls the window draws, which Qt does not know:
    // they go to the window as keys.
    bool focusNextPrevChild(bool) override { return false; }

private:
    QtWindow* owner_;
};

}  // namespace orvane::platform::qt
