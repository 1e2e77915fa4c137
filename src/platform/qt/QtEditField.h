#pragma once
// The desktop's line edit inside one of our windows. Keys reach the window's filter first; the
// field takes no input while a dialog above its window runs modally, like the window itself.
#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include "platform/EditField.h"

namespace orvane::platform::qt {

class QtResources;
class QtWindowWidget;

class QtEditField : public QObject, public EditField {
public:
    QtEditField(QtWindowWidget* parent, const EditFieldOptions& options, QtResources& resources);
    ~QtEditField() override;

    Text text() const override;
    void setText(const Text& text) override;
    void setRect(const Rect& r) override;
    void setVisible(bool visible) override;
    void focus() override;
    bool hasFocus() const override;
    void giveBackFocus() override;
    void setAccessibleName(const Text& name) override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;

    QLineEdit* lineEdit() const { return edit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's widget, which knows its window only while that exists.
    QPointer<QtWindowWidget> parent_;
    QPointer<QLineEdit> edit_;
};

}  // namespace orvane::platform::qt
