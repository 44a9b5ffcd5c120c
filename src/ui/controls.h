// The standard controls of the program's windows, made from form tables: each row names
// a control and gives its kind, place and text. A ControlSet creates the rows of one
// window and gives them their look.
#pragma once

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
    Label,         ///< static text; presses go through it to the window below
    EditBox,       ///< one line of text, centred vertically in its box
    PictureButton, ///< a push button drawn from a strip of state images
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
    int image = 0; ///< picture buttons: the RCDATA resource with the state strip
};

class PictureButton;

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

    /// Colours and draws the set's controls for their parent: handles WM_CTLCOLORSTATIC,
    /// WM_CTLCOLOREDIT and WM_DRAWITEM. True when the message was one of the set's.
    bool handleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

private:
    struct Control {
        HWND hwnd;
        ControlKind kind;
        int commandId;
        std::unique_ptr<PictureButton> picture;
    };
    const Control* find(HWND hwnd) const;

    const Look& m_look;
    std::vector<Control> m_controls;
};

} // namespace lumivel
