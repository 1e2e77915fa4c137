#include "platform/qt/QtEditField.h"

#include <QKeyEvent>
#include <QPalette>

#include "platform/qt/QtPainter.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowWidget.h"

namespace orvane::platform::qt {

namespace {
bool isKey(QEvent::Type t) { return t == QEvent::KeyPress || t == QEvent::KeyRelease; }
bool isPointer(QEvent::Type t) {
    return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick ||
           t == QEvent::MouseMove || t == QEvent::Wheel;
}
}  // namespace

QtEditField::QtEditField(QtWindowWidget* parent, const EditFieldOptions& o, QtResources& resources)
    : parent_(parent), edit_(new QLineEdit(parent)) {
    edit_->setFrame(false);
    edit_->setFont(resources.font(o.font));
    edit_->setAlignment(o.centred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    QPalette pal = edit_->palette();
    pal.setColor(QPalette::Base, toQColor(o.background));
    pal.setColor(QPalette::Text, toQColor(o.text));
    edit_->setPalette(pal);
    edit_->setAutoFillBackground(true);
    setRect(o.rect);
    edit_->installEventFilter(this);
    QObject::connect(edit_, &QLineEdit::textEdited, this, [this] {
        if (onEdited) onEdited();
    });
    edit_->show();
}

QtEditField::~QtEditField() {
    if (edit_) {
        edit_->removeEventFilter(this);
        edit_->hide();
        edit_->deleteLater();  // we may be inside one of its handlers
    }
}

Text QtEditField::text() const {
    if (!edit_) return {};
    const QString t = edit_->text();
    return Text(reinterpret_cast<const char16_t*>(t.utf16()), size_t(t.size()));
}

void QtEditField::setText(const Text& text) {
    if (!edit_) return;
    edit_->setText(toQString(text));
    edit_->end(false);
}

void QtEditField::setRect(const Rect& r) {
    if (edit_) edit_->setGeometry(r.left, r.top, std::max(r.width(), 1), std::max(r.height(), 1));
}

void QtEditField::setVisible(bool visible) {
    if (edit_) edit_->setVisible(visible);
}

void QtEditField::focus() {
    if (edit_) edit_->setFocus(Qt::OtherFocusReason);
}

bool QtEditField::hasFocus() const { return edit_ && edit_->hasFocus(); }

void QtEditField::giveBackFocus() {
    if (edit_ && parent_ && edit_->hasFocus()) parent_->setFocus(Qt::TabFocusReason);
}

void QtEditField::setAccessibleName(const Text& name) {
    if (edit_) edit_->setAccessibleName(toQString(name));
}

void QtEditField::setEnabled(bool enabled) {
    if (edit_) edit_->setEnabled(enabled);
}

bool QtEditField::isEnabled() const { return edit_ && edit_->isEnabled(); }

bool QtEditField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return false;
    const QEvent::Type t = event->type();
    if (!isKey(t) && !isPointer(t)) return false;
    // Under another window's modal run the field is as deaf as its window; so it is once its
    // window has gone.
    QtWindow* window = parent_ ? parent_->owner() : nullptr;
    if (!window || window->detached() || !window->acceptsInput()) return true;
    if (!isKey(t)) return false;
    auto* ke = static_cast<QKeyEvent*>(event);
    if (keyFilter && keyFilter(keyEventOf(*ke))) return true;
    // The field's own turn; keys it does not use must not reach the window a second time.
    edit_->event(event);
    return true;
}

}  // namespace orvane::platform::qt
