#include "platform/qt/QtAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QVariant>
#include <QWindow>
#include <optional>
#include <vector>

#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowWidget.h"

namespace orvane::platform::qt {

namespace {

QString toQString(const Text& t) { return QString::fromUtf16(t.data(), qsizetype(t.size())); }

// The host behind a widget, while its window is alive.
WindowHost* hostOf(const QtWindowWidget* w) {
    if (!w || !w->owner() || w->owner()->detached()) return nullptr;
    return &w->owner()->host();
}

QAccessible::Role roleOf(AccessibleRole r) {
    switch (r) {
        case AccessibleRole::Dialog: return QAccessible::Dialog;
        case AccessibleRole::PushButton: return QAccessible::Button;
        case AccessibleRole::CheckBox: return QAccessible::CheckBox;
        case AccessibleRole::RadioButton: return QAccessible::RadioButton;
        case AccessibleRole::Slider: return QAccessible::Slider;
        case AccessibleRole::ComboBox: return QAccessible::ComboBox;
        case AccessibleRole::Menu: return QAccessible::PopupMenu;
        case AccessibleRole::MenuItem: return QAccessible::MenuItem;
        case AccessibleRole::List: return QAccessible::List;
        case AccessibleRole::ListItem: return QAccessible::ListItem;
        case AccessibleRole::PageTab: return QAccessible::PageTab;
        case AccessibleRole::ProgressBar: return QAccessible::ProgressBar;
        case AccessibleRole::Label: return QAccessible::StaticText;
        case AccessibleRole::Graphic: return QAccessible::Graphic;
        case AccessibleRole::Alert: return QAccessible::AlertMessage;
        case AccessibleRole::HotkeyField: return QAccessible::HotkeyField;
        case AccessibleRole::None: break;
    }
    return QAccessible::NoRole;
}

QAccessible::State stateOf(const AccessibleNode& n) {
    QAccessible::State s;
    s.checkable = n.has(kAccessibleCheckable);
    s.checked = n.has(kAccessibleChecked);
    s.selected = n.has(kAccessibleSelected);
    s.selectable = n.role == AccessibleRole::PageTab || n.role == AccessibleRole::MenuItem ||
                   n.role == AccessibleRole::ListItem;
    s.offscreen = n.has(kAccessibleOffscreen);
    s.invisible = n.has(kAccessibleOffscreen);
    s.disabled = n.has(kAccessibleDisabled);
    s.focusable = n.has(kAccessibleFocusable);
    s.focused = n.has(kAccessibleFocused);
    s.hasPopup = n.has(kAccessibleHasPopup);
    return s;
}

// What an item that may be gone (the window changed since the reader asked) tells.
QAccessible::Role roleOf(const std::optional<AccessibleNode>& n) {
    return n ? roleOf(n->role) : QAccessible::NoRole;
}
QAccessible::State stateOf(const std::optional<AccessibleNode>& n) {
    QAccessible::State s = n ? stateOf(*n) : QAccessible::State{};
    if (!n) s.invalid = true;
    return s;
}
// Where a drawn item is on the screen.
QRect screenRect(const QtWindowWidget& widget, const AccessibleNode& n) {
    const QPoint topLeft = widget.mapToGlobal(QPoint(n.rect.left, n.rect.top));
    return QRect(topLeft, QSize(n.rect.width(), n.rect.height()));
}

// One row of a list item, found again by the list's index and its own on every question.
class RowInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowInterface(QtWindowWidget* widget, QAccessibleInterface* list, int item, int row)
        : widget_(widget), list_(list), item_(item), row_(row) {}

    bool isValid() const override { return node().has_value(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return list_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        const auto n = node();
        return n && t == QAccessible::Name ? toQString(n->name) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const auto n = node();
        return n && widget_ && !n->rect.isEmpty() ? screenRect(*widget_, *n) : QRect();
    }
    QAccessible::Role role() const override { return roleOf(node()); }
    QAccessible::State state() const override { return stateOf(node()); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override {
        const auto n = node();
        if (!n || n->has(kAccessibleDisabled) || n->defaultAction != AccessibleAction::Press) return {};
        return {pressAction()};
    }
    void doAction(const QString& name) override {
        if (WindowHost* host = hostOf(widget_); host && name == pressAction()) host->accessibleSelect(item_, row_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    std::optional<AccessibleNode> node() const {
        WindowHost* host = hostOf(widget_);
        if (!host) return std::nullopt;
        auto items = host->accessibleItems();
        if (item_ < 0 || size_t(item_) >= items.size()) return std::nullopt;
        auto& rows = items[size_t(item_)].children;
        if (row_ < 0 || size_t(row_) >= rows.size()) return std::nullopt;
        return std::move(rows[size_t(row_)]);
    }

    QPointer<QtWindowWidget> widget_;
    QAccessibleInterface* list_;
    int item_;
    int row_;
};

// One item the window draws, found again by its index on every question, so that it always
// tells what the window shows now.
class ItemInterface : public QAccessibleInterface,
                      public QAccessibleActionInterface,
                      public QAccessibleValueInterface {
public:
    ItemInterface(QtWindowWidget* widget, int index) : widget_(widget), index_(index) {}
    ~ItemInterface() override {
        for (QAccessible::Id id : rowIds_)
            if (QAccessible::accessibleInterface(id)) QAccessible::deleteAccessibleInterface(id);
    }

    bool isValid() const override { return node().has_value(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(widget_.data()); }
    // A list's rows.
    QAccessibleInterface* child(int index) const override {
        const auto n = node();
        if (!n || index < 0 || size_t(index) >= n->children.size()) return nullptr;
        while (rowIds_.size() <= size_t(index)) {
            auto* row = new RowInterface(widget_, const_cast<ItemInterface*>(this), index_, int(rowIds_.size()));
            rowIds_.push_back(QAccessible::registerAccessibleInterface(row));
        }
        return QAccessible::accessibleInterface(rowIds_[size_t(index)]);
    }
    int childCount() const override {
        const auto n = node();
        return n ? int(n->children.size()) : 0;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (size_t i = 0; i < rowIds_.size() && int(i) < childCount(); ++i)
            if (QAccessible::accessibleInterface(rowIds_[i]) == child) return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto n = node();
        if (!n || !widget_) return nullptr;
        const QPoint local = widget_->mapFromGlobal(QPoint(x, y));
        for (size_t i = 0; i < n->children.size(); ++i)
            if (n->children[i].rect.contains({local.x(), local.y()})) return child(int(i));
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        const auto n = node();
        if (!n) return {};
        if (t == QAccessible::Name) return toQString(n->name);
        if (t == QAccessible::Value) return toQString(n->value);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const auto n = node();
        return n && widget_ ? screenRect(*widget_, *n) : QRect();
    }
    QAccessible::Role role() const override { return roleOf(node()); }
    QAccessible::State state() const override { return stateOf(node()); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::ValueInterface) {
            const auto n = node();
            if (n && n->hasRange) return static_cast<QAccessibleValueInterface*>(this);
        }
        return nullptr;
    }

    // ---- Actions ----
    QStringList actionNames() const override {
        const auto n = node();
        QStringList names;
        if (!n || n->has(kAccessibleDisabled)) return names;
        if (n->defaultAction == AccessibleAction::Press) names << pressAction();
        if (n->role == AccessibleRole::Slider) names << increaseAction() << decreaseAction();
        if (n->has(kAccessibleFocusable)) names << setFocusAction();
        return names;
    }
    void doAction(const QString& name) override {
        WindowHost* host = hostOf(widget_);
        if (!host) return;
        if (name == pressAction()) host->accessibleAct(index_, AccessibleAction::Press);
        else if (name == increaseAction()) host->accessibleAct(index_, AccessibleAction::Increase);
        else if (name == decreaseAction()) host->accessibleAct(index_, AccessibleAction::Decrease);
        else if (name == setFocusAction()) host->accessibleFocus(index_);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction()) return {QStringLiteral("Space")};
        if (name == increaseAction()) return {QStringLiteral("Right")};
        if (name == decreaseAction()) return {QStringLiteral("Left")};
        return {};
    }

    // ---- Value ----
    QVariant currentValue() const override {
        const auto n = node();
        return n ? QVariant(n->current) : QVariant();
    }
    void setCurrentValue(const QVariant& value) override {
        if (WindowHost* host = hostOf(widget_)) host->accessibleSetValue(index_, value.toInt());
    }
    QVariant maximumValue() const override {
        const auto n = node();
        return n ? QVariant(n->maximum) : QVariant();
    }
    QVariant minimumValue() const override {
        const auto n = node();
        return n ? QVariant(n->minimum) : QVariant();
    }
    QVariant minimumStepSize() const override { return QVariant(1); }

private:
    std::optional<AccessibleNode> node() const {
        WindowHost* host = hostOf(widget_);
        if (!host) return std::nullopt;
        auto items = host->accessibleItems();
        if (index_ < 0 || size_t(index_) >= items.size()) return std::nullopt;
        return std::move(items[size_t(index_)]);
    }

    QPointer<QtWindowWidget> widget_;
    int index_;
    mutable std::vector<QAccessible::Id> rowIds_;
};

// The window: a dialog or a menu whose children are the items it draws, followed by any real
// widgets in it (text fields).
class WindowInterface : public QAccessibleWidget {
public:
    explicit WindowInterface(QtWindowWidget* w) : QAccessibleWidget(w, QAccessible::Dialog), widget_(w) {}
    ~WindowInterface() override {
        for (QAccessible::Id id : ids_)
            if (QAccessible::accessibleInterface(id)) QAccessible::deleteAccessibleInterface(id);
    }

    QAccessible::Role role() const override {
        WindowHost* host = hostOf(widget_);
        if (!host) return QAccessible::Window;
        const QAccessible::Role r = roleOf(host->accessibleWindow().role);
        return r == QAccessible::NoRole ? QAccessible::Window : r;
    }
    QString text(QAccessible::Text t) const override {
        WindowHost* host = hostOf(widget_);
        if (t == QAccessible::Name && host) {
            const Text name = host->accessibleWindow().name;
            if (!name.empty()) return toQString(name);
        }
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return itemCount() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        const int items = itemCount();
        if (index < 0) return nullptr;
        if (index >= items) return QAccessibleWidget::child(index - items);
        while (ids_.size() <= size_t(index))
            ids_.push_back(QAccessible::registerAccessibleInterface(new ItemInterface(widget_, int(ids_.size()))));
        return QAccessible::accessibleInterface(ids_[size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (size_t i = 0; i < ids_.size() && int(i) < itemCount(); ++i)
            if (QAccessible::accessibleInterface(ids_[i]) == child) return int(i);
        const int inWidgets = QAccessibleWidget::indexOfChild(child);
        return inWidgets < 0 ? -1 : itemCount() + inWidgets;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        WindowHost* host = hostOf(widget_);
        if (!host || !widget_) return nullptr;
        const QPoint local = widget_->mapFromGlobal(QPoint(x, y));
        const auto items = host->accessibleItems();
        for (size_t i = items.size(); i-- > 0;)
            if (items[i].rect.contains({local.x(), local.y()})) return child(int(i));
        return QAccessibleWidget::childAt(x, y);
    }

private:
    int itemCount() const {
        WindowHost* host = hostOf(widget_);
        return host ? int(host->accessibleItems().size()) : 0;
    }

    QPointer<QtWindowWidget> widget_;
    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* w = dynamic_cast<QtWindowWidget*>(object)) return new WindowInterface(w);
    return nullptr;
}

}  // namespace

void installAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void announceAccessible(QWidget* widget, AccessibleEvent event, int item) {
    if (!widget || !QAccessible::isActive()) return;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(widget);
    if (!window) return;
    QAccessibleInterface* target = item < 0 ? window : window->child(item);
    if (!target) return;
    switch (event) {
        case AccessibleEvent::Focus: {
            QAccessibleEvent e(target, QAccessible::Focus);
            QAccessible::updateAccessibility(&e);
            break;
        }
        case AccessibleEvent::ValueChanged: {
            QAccessibleValueChangeEvent e(target, target->valueInterface() ? target->valueInterface()->currentValue()
                                                                           : QVariant(target->text(QAccessible::Value)));
            QAccessible::updateAccessibility(&e);
            break;
        }
        case AccessibleEvent::NameChanged: {
            QAccessibleEvent e(target, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&e);
            break;
        }
        case AccessibleEvent::StateChanged: {
            QAccessible::State changed;
            changed.checked = true;
            changed.selected = true;
            changed.disabled = true;
            QAccessibleStateChangeEvent e(target, changed);
            QAccessible::updateAccessibility(&e);
            break;
        }
        case AccessibleEvent::SelectionChanged: {
            // The selected row is told as chosen, and as focused while its list has the focus.
            for (int row = 0; row < target->childCount(); ++row) {
                QAccessibleInterface* r = target->child(row);
                if (!r || !r->state().selected) continue;
                QAccessibleEvent chosen(r, QAccessible::Selection);
                QAccessible::updateAccessibility(&chosen);
                if (target->state().focused) {
                    QAccessibleEvent focus(r, QAccessible::Focus);
                    QAccessible::updateAccessibility(&focus);
                }
                break;
            }
            break;
        }
    }
}

}  // namespace orvane::platform::qt
