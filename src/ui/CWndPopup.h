#pragma once
// Base of the skinned popup menus: a top-most frameless window listing items, tracking the
// pointer over them and reporting a choice to its owner with a message. Subclasses add their
// items in Init, draw them in DrawItems (usually with DrawImageItems or DrawPlainItems) and
// say what a choice yields in OnChoose.
#include <array>
#include <memory>
#include <vector>

#include "platform/Window.h"
#include "ui/CControlBase.h"
#include "ui/Messages.h"
#include "ui/PopupResult.h"

namespace orvane::ui {

struct PopupItem {
    bool separator = false;
    int32_t id = 0;
    Image icon;
    int32_t iconWidth = 0;
    int32_t iconHeight = 0;
    Text text;
    Rect rect;
    bool submenu = false;
};

class CWndPopup : public platform::WindowHost {
public:
    // Popup types; a macro set menu is kTypeMacroSetBase + set index.
    static constexpr int kTypeCombo = 0;
    static constexpr int kTypeDpi = 2;
    static constexpr int kTypeMultimedia = 3;
    static constexpr int kTypeWindowsManage = 11;
    static constexpr int kTypeOffice = 12;
    static constexpr int kTypeProfileRKey = 13;
    static constexpr int kTypeActionInsert = 14;
    static constexpr int kTypeMacroSetBase = 100;
    static constexpr int kHoverMs = 50;

    explicit CWndPopup(int type);
    ~CWndPopup() override;
    CWndPopup(const CWndPopup&) = delete;
    CWndPopup& operator=(const CWndPopup&) = delete;

    // Creates the window at (x, y) (screen), calls Init (which sizes it), renders and shows it.
    // width and height are the size before Init lays the items out.
    bool Create(CDlgBase* owner, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t selectionMsg,
                uintptr_t context);
    // Tells the owner (kMsgPopupClosing) and destroys the window.
    void Close();
    // Destroys the window without telling the owner.
    void Destroy();
    bool IsWindow() const { return window_ != nullptr; }
    platform::Window* GetWindow() const { return window_.get(); }
    // Queues a close request through the window's messages (what owners use).
    void PostClose();

    virtual void DrawItems(Painter& p, const Rect& r);
    virtual void DrawIcons(Painter& p, const Rect& r);
    virtual void Init() {}
    virtual bool OnHover(Point pt);
    virtual bool OnPress(Point pt);
    virtual bool OnRelease(Point pt);
    virtual bool OnRightRelease(Point pt);

    // Appends an item (icon may be null) and lays the items out again.
    void AddItem(const Text& text, const Image& icon, int32_t id, bool submenu);
    void AddSeparator();
    // Item width in design pixels: 161 for most menus.
    void SetItemWidth(int32_t designWidth);
    // The four item images: normal, over, submenu normal, submenu over.
    void SetImages(const Text& normal, const Text& over, const Text& subNormal, const Text& subOver);

    int Type() const { return type_; }
    uintptr_t Context() const { return context_; }
    uint32_t SelectionMessage() const { return selectionMsg_; }
    CDlgBase* Owner() const { return owner_; }
    int HotItem() const { return hot_; }
    // The pointer is over the menu (from its first move until it leaves).
    bool Tracking() const { return tracking_; }
    const std::vector<PopupItem>& Items() const { return items_; }
    const PopupResult& Result() const { return result_; }
    // The message sent to the owner when a popup of this type loses activation.
    static uint32_t DeactivationMessage(int type);
    // Re-renders the menu.
    void Render();

    // ---- Keyboard and assistive technology (CWndPopupKeyboard.cpp) ----
    // Up and Down make the previous or next item hot (wrapping round), Home and End the first
    // and last; Enter, Space and Right open a submenu item's menu (on its first item) or choose
    // the item; Left leaves a submenu for its parent. Returns true when the key was used.
    bool OnNavigationKey(uint32_t vk);
    // Makes item index hot from the keyboard and tells readers.
    void SetHotFromKeyboard(int index);
    // Makes the first item hot from the keyboard (a menu opened from the keyboard).
    void FocusFirstItem();
    // Does what a release on item index does: opens its submenu or chooses it.
    bool ActivateItem(int index);
    // The menu's name for readers.
    void SetAccessibleTitle(Text title) { accessibleTitle_ = std::move(title); }

protected:
    // A new item became hot (index); menus that tell the owner do it here.
    virtual void OnHotChanged(int) {}
    // The hot item was released on: fill result_ and return true to send the selection
    // message, or handle it otherwise and return false.
    virtual bool OnChoose(const PopupItem&) { return false; }
    // Item drawing shared by the menus: skin images and grey text, or plain fills.
    void DrawImageItems(Painter& p);
    void DrawPlainItems(Painter& p);
    // Menus with icons: each centred in a 25-pixel column at the item's left edge.
    void DrawItemIcons(Painter& p);
    // Where an item's text is centred, and in which font: clear of its icon and of its
    // submenu arrow, smaller when it would not fit.
    struct ItemText {
        Rect area;
        FontSpec font;
    };
    ItemText PlaceText(Painter& p, const PopupItem& item, int32_t arrowColumn) const;
    intptr_t SendToOwner(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // Hands result_ to the owner as the selection message's answer (wParam the context).
    void SendResultToOwner();
    float Scale() const;
    int32_t Scaled(int32_t d) const { return int32_t(float(d) * Scale()); }
    Image LoadImage(const Text& path) const;

    PopupResult result_;
    FontSpec font_;
    std::array<Image, 4> images_;
    std::array<Text, 4> imagePaths_;

    // platform::WindowHost
    void onPaint(Painter& p, const Rect& dirty) override;
    void onPointer(const platform::PointerEvent& e) override;
    bool onKey(const platform::KeyEvent& e) override;
    intptr_t onMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void onActivate(bool active) override;
    void onCloseRequest() override { Close(); }
    platform::AccessibleNode accessibleWindow() const override;
    std::vector<platform::AccessibleNode> accessibleItems() const override;
    bool accessibleAct(int item, platform::AccessibleAction action) override;
    bool accessibleFocus(int item) override;

private:
    void Layout();

    int type_;
    CDlgBase* owner_ = nullptr;
    Point pos_;
    uint32_t selectionMsg_ = 0;
    uintptr_t context_ = 0;
    std::vector<PopupItem> items_;
    int hot_ = -1;
    int32_t itemWidth_ = 161;
    bool tracking_ = false;
    bool buttonHeld_ = false;
    bool captured_ = false;
    std::unique_ptr<platform::Window> window_;
    Text accessibleTitle_;

    // Items told to readers (the separators are not); their indices into items_.
    std::vector<int> ExposedItems() const;
};

}  // namespace orvane::ui
