// The standard controls of the program's windows, made from form tables: each row names
// a control and gives its kind, place and text. A ControlSet creates the rows of one
// window and gives them their look.
#pragma once

#include "platform/bytes.h"
#include "ui/images.h"
#include "ui/look.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace lumivel {

enum class ControlKind {
    Label,            ///< static text; a press on it drags the window
    TransparentLabel, ///< static text over the window's background that takes clicks
    EditBox,          ///< one line of text, centred vertically in its box
    PictureButton,    ///< a push button drawn from a strip of state images
    TwoStateButton,   ///< a picture button that each click selects or clears
    PictureBox,       ///< shows a PNG given at run time; a press on it drags the window
    ShapeBox,         ///< a thin frame; a press on it drags the window
    Hyperlink,        ///< link-coloured text that takes clicks (STN_CLICKED)
    ComboBox,         ///< a drop-down list; the place's height is the folded box's
    Badge,            ///< a small picture, bright or dimmed, that never reacts to clicks
    TabPage,          ///< the pages' area: drawn as the background; a press on it does nothing
};

/// x, y, width, height in pixels, relative to the parent's client area.
struct Place {
    int x, y, width, height;
};

/// One row of a form table.
struct ControlForm {
    std::wstring_view name; ///< the control's name in the form ("编辑框1")
    ControlKind kind;
    Place place;
    std::wstring_view text;
    /// Picture buttons: the RCDATA resource with the strip of state images (for a
    /// two-state button the three states cleared, then the three selected); badges: the
    /// bright face above the dimmed one.
    int image = 0;
};

class PictureButton;
class PremultipliedBitmap;

class ControlSet {
public:
    explicit ControlSet(const Look& look);
    ~ControlSet();
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    /// Creates the control of `form` on `parent` with the command id `commandId`, after
    /// the controls added before it. Gives null when the system refuses to create it.
    HWND add(HWND parent, const ControlForm& form, int commandId);

    /// The control added as the `row`-th.
    HWND at(std::size_t row) const { return m_controls[row].hwnd; }
    /// The row of a control's command id.
    std::optional<std::size_t> rowOf(int commandId) const;

    /// A click on the control of `row` arrived: a two-state button changes its state, as
    /// it does before the click's handler runs.
    void noteClick(std::size_t row);
    /// The selected state of a two-state button; false for any other control.
    bool selected(std::size_t row) const;
    void setSelected(std::size_t row, bool selected);
    /// The picture of a picture box, at its natural size from the box's top-left corner;
    /// bytes that do not decode (empty ones too) leave the box blank.
    void setPicture(std::size_t row, ByteView png);
    /// A badge's bright or dimmed face.
    void setLit(std::size_t row, bool lit);

    /// Colours and draws the set's controls for their parent: handles WM_CTLCOLORSTATIC,
    /// WM_CTLCOLOREDIT and WM_DRAWITEM. True when the message was one of the set's.
    bool handleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

private:
    struct Control {
        HWND hwnd;
        ControlKind kind;
        int commandId;
        std::unique_ptr<PictureButton> picture;
        std::unique_ptr<PremultipliedBitmap> shown; ///< a picture box's picture
        std::unique_ptr<Gdiplus::Bitmap> faces;     ///< a badge's bright and dimmed faces
        bool lit = false;
    };
    const Control* find(HWND hwnd) const;

    const Look& m_look;
    std::vector<Control> m_controls;
};

} // namespace lumivel
