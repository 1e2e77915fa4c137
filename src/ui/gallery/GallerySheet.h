#pragma once
// One PNG sheet of the gallery: labelled pictures of controls and menus in their states, laid
// out in rows. Builders get a host dialog to put controls on and drive them into each state.
#include <functional>
#include <string>
#include <vector>

#include "platform/FakeWindow.h"
#include "ui/CDlgBase.h"
#include "ui/CWndPopup.h"
#include "ui/gallery/GalleryPlatform.h"

namespace orvane::ui::gallery {

// An invisible dialog the samples live on; it swallows their notifications.
class GalleryHost : public CDlgBase {
public:
    explicit GalleryHost(platform::Platform& p);
    void DrawWindow(Painter& p, const Rect& client) override;
    void CreateControls(const Rect&) override {}
    platform::FakeWindow& Fake() const { return *static_cast<platform::FakeWindow*>(GetWindow()); }
};

// Focused: at rest with the keyboard's mark.
enum class State { Normal, Hover, Pressed, Focused };

class GallerySheet {
public:
    GallerySheet(GalleryPlatform& platform, GalleryHost& host);

    // Draws the control alone in the given state; the control must belong to the host.
    void control(const std::string& label, CControlBase& c, State state = State::Normal);
    // Each of the three pointer states of the control.
    void controlStates(const std::string& label, CControlBase& c);
    // The menu with the pointer over item hotItem (-1: none). The popup must be created.
    void popup(const std::string& label, CWndPopup& menu, int hotItem = -1);
    // Any picture, drawn by the caller at (0, 0) in a picture of the given size.
    void picture(const std::string& label, Size size, const std::function<void(Painter&)>& paint);
    // Starts a new row of cells.
    void newRow();

    Image compose() const;
    bool empty() const { return cells_.empty(); }
    float scale() const { return platform_.screen().displayScale; }
    int32_t scaled(int32_t d) const { return int32_t(float(d) * scale()); }
    GalleryHost& host() { return host_; }
    GalleryPlatform& platform() { return platform_; }

private:
    struct Cell {
        std::string label;
        Image image;
        int row;
    };
    GalleryPlatform& platform_;
    GalleryHost& host_;
    std::vector<Cell> cells_;
    int row_ = 0;
};

struct SheetSpec {
    std::string name;
    std::function<void(GallerySheet&)> build;
};

// Every sheet of the gallery, in order. Each part of the toolkit adds its own in Sheets.cpp.
std::vector<SheetSpec> AllSheets();

}  // namespace orvane::ui::gallery
