#include "ui/CWndPopup.h"

#include "ui/CDlgBase.h"
#include "ui/UiFont.h"

namespace orvane::ui {

namespace {
constexpr uint32_t kTextColor = 0xB4B4B4;
constexpr uint32_t kHotTextColor = 0xFFFFFF;
constexpr uint32_t kAccent = 0xDEA035;
constexpr TextFormat kItemFormat =
    platform::kTextCenter | platform::kTextVCenter | platform::kTextSingleLine | platform::kTextWordEllipsis;
// Design widths kept clear of text: the icon column at an item's left, the submenu arrow of
// the item pictures and of the plain look at its right.
constexpr int32_t kIconColumn = 25;
constexpr int32_t kImageArrowColumn = 14;
constexpr int32_t kPlainArrowColumn = 8;
}  // namespace

CWndPopup::CWndPopup(int type) : font_{UiFontChoice().face, UiFontChoice().height, 0}, type_(type) {}

CWndPopup::~CWndPopup() {
    if (window_) window_->detach();
    window_.reset();
}

uint32_t CWndPopup::DeactivationMessage(int type) {
    switch (type) {
        case kTypeCombo: return kMsgComboPopupDeactivated;
        case kTypeDpi: return kMsgDpiPopupDeactivated;
        case kTypeMultimedia: return kMsgMultimediaPopupDeactivated;
        case kTypeWindowsManage: return kMsgWindowsManagePopupDeactivated;
        case kTypeOffice: return kMsgOfficePopupDeactivated;
        case kTypeProfileRKey: return kMsgProfileRKeyPopupDeactivated;
        case kTypeActionInsert: return kMsgActionInsertPopupDeactivated;
        default: return type >= kTypeMacroSetBase ? kMsgMacroSetPopupDeactivated : 0;
    }
}

bool CWndPopup::Create(CDlgBase* owner, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t selectionMsg,
                       uintptr_t context) {
    if (window_ || !owner) return false;
    owner_ = owner;
    pos_ = {x, y};
    selectionMsg_ = selectionMsg;
    context_ = context;
    platform::WindowOptions options;
    options.kind = platform::WindowKind::Popup;
    options.parent = owner->GetWindow();
    options.geometry = Rect::fromSize(x, y, width, height);
    window_ = owner->GetPlatform().createWindow(*this, options);
    if (!window_) return false;
    for (size_t i = 0; i < images_.size(); ++i)
        if (!imagePaths_[i].empty()) images_[i] = LoadImage(imagePaths_[i]);
    Init();
    Layout();
    Render();
    window_->move(pos_);
    window_->setTopmost(true);
    window_->show();
    window_->activate();
    return true;
}

void CWndPopup::Close() {
    if (!window_) return;
    SendToOwner(kMsgPopupClosing, 0, 0);
    Destroy();
}

void CWndPopup::Destroy() {
    if (!window_) return;
    window_->hide();
    window_->detach();
    // We may be inside one of the window's own handlers: free it once they have returned.
    std::shared_ptr<platform::Window> dying(std::move(window_));
    if (owner_) {
        owner_->GetPlatform().loop().post([dying] {});
        owner_->PopupDestroyed(this);
    }
}

void CWndPopup::PostClose() {
    if (window_) window_->postMessage(kMsgClose);
}

// ---- Items and layout ----

void CWndPopup::AddItem(const Text& text, const Image& icon, int32_t id, bool submenu) {
    PopupItem item;
    item.id = id;
    item.icon = icon;
    item.iconWidth = icon.width();
    item.iconHeight = icon.height();
    item.text = text;
    item.submenu = submenu;
    items_.push_back(std::move(item));
    Layout();
}

void CWndPopup::AddSeparator() {
    PopupItem item;
    item.separator = true;
    items_.push_back(std::move(item));
    Layout();
}

void CWndPopup::SetItemWidth(int32_t designWidth) {
    itemWidth_ = designWidth;
    Layout();
}

void CWndPopup::SetImages(const Text& normal, const Text& over, const Text& subNormal, const Text& subOver) {
    imagePaths_ = {normal, over, subNormal, subOver};
    if (owner_)
        for (size_t i = 0; i < images_.size(); ++i) images_[i] = LoadImage(imagePaths_[i]);
}

void CWndPopup::Layout() {
    const int32_t left = Scaled(1), right = Scaled(itemWidth_);
    int32_t y = Scaled(1);
    for (auto& item : items_) {
        if (item.separator) {
            item.rect = {left, y + Scaled(2), right, y + Scaled(2) + std::max(1, Scaled(1))};
            y += Scaled(4);
        } else {
            item.rect = {left, y, right, y + Scaled(22)};
            y += Scaled(22);
        }
    }
    if (window_) window_->resize({right + Scaled(1), y + Scaled(1)});
}

// ---- Painting ----

void CWndPopup::Render() {
    if (!window_) return;
    window_->invalidateAll();
    window_->update();
}

void CWndPopup::onPaint(Painter& p, const Rect&) {
    const Rect client{0, 0, p.size().width, p.size().height};
    p.fillRect(client, bgr(0x000000));
    DrawItems(p, client);
    DrawIcons(p, client);
}

void CWndPopup::DrawItems(Painter&, const Rect&) {}
void CWndPopup::DrawIcons(Painter&, const Rect&) {}

void CWndPopup::DrawImageItems(Painter& p) {
    for (size_t i = 0; i < items_.size(); ++i) {
        const PopupItem& item = items_[i];
        if (item.separator) {
            p.fillRect(item.rect, bgr(kAccent));
            continue;
        }
        const bool hot = int(i) == hot_;
        const Image& img = images_[(item.submenu ? 2 : 0) + (hot ? 1 : 0)];
        p.drawImage(img, item.rect, Interpolation::Smooth);
        const ItemText t = PlaceText(p, item, kImageArrowColumn);
        p.drawText(item.text, t.area, t.font, bgr(hot ? kHotTextColor : kTextColor), kItemFormat);
    }
}

void CWndPopup::DrawPlainItems(Painter& p) {
    const Color white = bgr(0xFFFFFF);
    for (size_t i = 0; i < items_.size(); ++i) {
        const PopupItem& item = items_[i];
        if (item.separator) {
            p.fillRect(item.rect, bgr(kAccent));
            continue;
        }
        if (int(i) == hot_) p.fillRect(item.rect, bgr(kAccent));
        const ItemText t = PlaceText(p, item, kPlainArrowColumn);
        p.drawText(item.text, t.area, t.font, white, kItemFormat);
        if (item.submenu) {
            // A small right-pointing arrow: one pixel at the tip, seven at the base.
            for (int k = 0; k < 4; ++k) {
                const int32_t x = item.rect.right - 3 - k;
                p.drawLine({x, item.rect.top + 6 - k}, {x, item.rect.top + 6 + k}, white);
            }
        }
    }
}

CWndPopup::ItemText CWndPopup::PlaceText(Painter& p, const PopupItem& item, int32_t arrowColumn) const {
    ItemText t{item.rect.adjusted(Scaled(2), 0, -Scaled(2), 0), font_};
    // Items with icons centre their text right of the icon column.
    if (!item.icon.isNull()) t.area.left = item.rect.left + Scaled(kIconColumn);
    // Text stays centred on the item like its neighbours' unless it would reach the submenu
    // arrow; then it is centred in the room left of the arrow.
    const int32_t arrowLeft = item.rect.right - Scaled(arrowColumn);
    const int32_t width = p.textSize(item.text, t.font).width;
    if (item.submenu && (t.area.left + t.area.right + width) / 2 > arrowLeft) t.area.right = arrowLeft;
    // Too long even so (a long translation, or a wider face standing in for the skin's own):
    // a little smaller rather than cut, down to a fifth smaller.
    const int32_t sign = t.font.height < 0 ? -1 : 1;
    const int32_t full = t.font.height * sign;
    for (int32_t h = full; h > 1 && h >= full - full / 5; --h) {
        t.font.height = h * sign;
        if (p.textSize(item.text, t.font).width <= t.area.width()) break;
    }
    return t;
}

void CWndPopup::DrawItemIcons(Painter& p) {
    const int32_t column = Scaled(25);
    for (const auto& item : items_) {
        if (item.separator || item.icon.isNull()) continue;
        const int32_t w = Scaled(item.iconWidth), h = Scaled(item.iconHeight);
        const int32_t x = item.rect.left + (column - w) / 2;
        const int32_t y = item.rect.top + (item.rect.height() - h) / 2;
        p.drawImage(item.icon, Rect::fromSize(x, y, w, h), Interpolation::Smooth);
    }
}

// ---- Pointer ----

void CWndPopup::onPointer(const platform::PointerEvent& e) {
    using platform::PointerKind;
    if (!window_) return;
    bool changed = false;
    switch (e.kind) {
        case PointerKind::Move:
            if (!tracking_) tracking_ = window_->trackPointer(kHoverMs);
            if (!buttonHeld_) changed = OnHover(e.pos);
            break;
        case PointerKind::Leave:
            tracking_ = false;
            if (!buttonHeld_) changed = OnHover(window_->cursorPos());
            break;
        case PointerKind::Hover: changed = OnHover(e.pos); break;
        case PointerKind::LeftDown:
        case PointerKind::LeftDoubleClick:
            buttonHeld_ = true;
            window_->setCapture();
            captured_ = true;
            changed = OnPress(e.pos);
            break;
        case PointerKind::LeftUp:
            if (captured_) window_->releaseCapture();
            captured_ = false;
            buttonHeld_ = false;
            changed = OnRelease(e.pos);
            break;
        case PointerKind::RightUp: changed = OnRightRelease(e.pos); break;
        case PointerKind::RightDown:
        case PointerKind::Wheel: break;
    }
    if (changed) Render();
}

bool CWndPopup::OnHover(Point pt) {
    if (hot_ >= 0 && size_t(hot_) < items_.size() && items_[size_t(hot_)].rect.contains(pt)) return false;
    bool changed = hot_ != -1;
    hot_ = -1;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].separator || !items_[i].rect.contains(pt)) continue;
        hot_ = int(i);
        OnHotChanged(hot_);
        return true;
    }
    return changed;
}

bool CWndPopup::OnPress(Point pt) {
    if (hot_ >= 0 && !items_[size_t(hot_)].rect.contains(pt)) {
        hot_ = -1;
        return true;
    }
    return false;
}

bool CWndPopup::OnRelease(Point pt) {
    if (hot_ < 0) return false;
    if (!items_[size_t(hot_)].rect.contains(pt)) {
        hot_ = -1;
        return true;
    }
    const PopupItem item = items_[size_t(hot_)];
    if (OnChoose(item)) SendResultToOwner();
    return false;
}

bool CWndPopup::OnRightRelease(Point) { return false; }

// ---- Owner ----

intptr_t CWndPopup::onMessage(uint32_t msg, uintptr_t, intptr_t) {
    if (msg == kMsgClose) Close();
    return 0;
}

bool CWndPopup::onKey(const platform::KeyEvent& e) {
    if (!window_) return false;
    if (e.vk != platform::kVkEscape) return e.down && OnNavigationKey(e.vk);
    if (e.down) {
        // With the pointer in the menu, Escape leaves it as a click elsewhere does; used from
        // the keyboard alone it steps back one menu where the owner can.
        const bool pointerInMenu = tracking_;
        tracking_ = false;
        if (pointerInMenu || !SendToOwner(kMsgPopupEscape, context_, type_))
            SendToOwner(DeactivationMessage(type_), context_, type_);
    }
    return true;
}

void CWndPopup::onActivate(bool active) {
    if (active || !window_) return;
    SendToOwner(DeactivationMessage(type_), context_, type_);
}

intptr_t CWndPopup::SendToOwner(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    return owner_ ? owner_->SendMessage(msg, wParam, lParam) : 0;
}

void CWndPopup::SendResultToOwner() {
    if (owner_) owner_->SendResult(selectionMsg_, context_, result_);
}

float CWndPopup::Scale() const { return owner_ ? owner_->Scale() : 1.0f; }

Image CWndPopup::LoadImage(const Text& path) const { return owner_ ? owner_->Images().load(path) : Image{}; }

}  // namespace orvane::ui
