#include "platform/qt/QtTrayIcon.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <vector>

#include "platform/qt/QtResources.h"

namespace orvane::platform::qt {

namespace {

QString toQString(const Text& t) { return QString::fromUtf16(t.data(), qsizetype(t.size())); }

QIcon toIcon(const Image& image) {
    if (!image) return QIcon();
    return QIcon(QPixmap::fromImage(QtResources::iconCopy(image)));
}

class QtTrayIcon final : public TrayIcon {
public:
    ~QtTrayIcon() override { remove(); }

    bool add(const Image& icon, const Text& tip, const TrayMenuTexts& texts,
             std::function<void(TrayEvent)> onEvent) override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
        remove();
        onEvent_ = std::move(onEvent);
        icon_ = std::make_unique<QSystemTrayIcon>(toIcon(icon));
        icon_->setToolTip(toQString(tip));
        menu_ = std::make_unique<QMenu>();
        QObject::connect(menu_->addAction(toQString(texts.show)), &QAction::triggered,
                         [this] { emitEvent(TrayEvent::MenuShow); });
        if (!texts.autostart.empty()) {
            autostart_ = menu_->addAction(toQString(texts.autostart));
            autostart_->setCheckable(true);
            QObject::connect(autostart_, &QAction::triggered, [this] { emitEvent(TrayEvent::MenuAutostart); });
        }
        addChoices(texts.language);
        if (!texts.dpiIndicator.empty()) {
            dpiIndicator_ = menu_->addAction(toQString(texts.dpiIndicator));
            dpiIndicator_->setCheckable(true);
            QObject::connect(dpiIndicator_, &QAction::triggered, [this] { emitEvent(TrayEvent::MenuDpiIndicator); });
        }
        if (!texts.followPrograms.empty()) {
            followPrograms_ = menu_->addAction(toQString(texts.followPrograms));
            followPrograms_->setCheckable(true);
            QObject::connect(followPrograms_, &QAction::triggered,
                             [this] { emitEvent(TrayEvent::MenuFollowPrograms); });
        }
        menu_->addSeparator();
        QObject::connect(menu_->addAction(toQString(texts.exit)), &QAction::triggered,
                         [this] { emitEvent(TrayEvent::MenuExit); });
        icon_->setContextMenu(menu_.get());
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason r) {
            // A left click (Trigger) and the desktop's "activate" both count as the left click;
            // the right click opens the context menu by itself.
            if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick) emitEvent(TrayEvent::LeftClick);
        });
        icon_->show();
        return QSystemTrayIcon::isSystemTrayAvailable();
    }

    void remove() override {
        if (icon_) icon_->hide();
        icon_.reset();
        autostart_ = nullptr;
        languageItems_.clear();
        dpiIndicator_ = nullptr;
        followPrograms_ = nullptr;
        menu_.reset();
    }

    // Asked each time: a panel that starts after us (at login) still counts once it is up, and
    // one that goes away does not.
    bool added() const override { return icon_ != nullptr && QSystemTrayIcon::isSystemTrayAvailable(); }

    void setToolTip(const Text& tip) override {
        if (icon_) icon_->setToolTip(toQString(tip));
    }

    void setAutostartChecked(bool checked) override {
        if (autostart_) autostart_->setChecked(checked);
    }

    void setLanguageChecked(int item) override {
        for (size_t i = 0; i < languageItems_.size(); ++i) languageItems_[i]->setChecked(int(i) == item);
    }
    void setDpiIndicatorChecked(bool checked) override {
        if (dpiIndicator_) dpiIndicator_->setChecked(checked);
    }
    void setFollowProgramsChecked(bool checked) override {
        if (followPrograms_) followPrograms_->setChecked(checked);
    }

private:
    void addChoices(const TrayChoices& choices) {
        if (choices.title.empty()) return;
        QMenu* sub = menu_->addMenu(toQString(choices.title));
        auto* group = new QActionGroup(sub);
        group->setExclusive(true);
        for (size_t i = 0; i < choices.items.size(); ++i) {
            QAction* item = sub->addAction(toQString(choices.items[i]));
            item->setCheckable(true);
            item->setChecked(int(i) == choices.checked);
            group->addAction(item);
            languageItems_.push_back(item);
            QObject::connect(item, &QAction::triggered, [fn = choices.chosen, i] {
                // Posted like the other items: the handler may show a notice.
                QMetaObject::invokeMethod(qApp, [fn, i] { if (fn) fn(int(i)); }, Qt::QueuedConnection);
            });
        }
    }

    void emitEvent(TrayEvent e) {
        // Posted, so the handler (which may run a modal dialog or end the program) never runs
        // inside the icon's own signal.
        auto fn = onEvent_;
        QMetaObject::invokeMethod(qApp, [fn, e] { if (fn) fn(e); }, Qt::QueuedConnection);
    }

    std::function<void(TrayEvent)> onEvent_;
    std::unique_ptr<QMenu> menu_;
    QAction* autostart_ = nullptr;  // owned by menu_
    std::vector<QAction*> languageItems_;  // owned by menu_
    QAction* dpiIndicator_ = nullptr;  // owned by menu_
    QAction* followPrograms_ = nullptr;  // owned by menu_
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace

std::unique_ptr<TrayIcon> createTrayIcon() { return std::make_unique<QtTrayIcon>(); }

}  // namespace orvane::platform::qt
