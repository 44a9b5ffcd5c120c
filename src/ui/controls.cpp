#include "ui/controls.h"

#include "imaging/png_codec.h"
#include "ui/premultiplied_bitmap.h"

#include <commctrl.h>

#include <string>

namespace lumivel {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// Room between an edit box's frame and its text.
constexpr int kFieldMargin = 4;
// How far a combo box's list drops down below it.
constexpr int kDroppedListHeight = 240;

int lineHeightOf(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

// Edit boxes are taller than their one line of text. The text is centred by making the
// area above and below it part of the frame, which is then painted in the box's colour.
LRESULT CALLBACK editBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR lookData) {
    const Look& look = *reinterpret_cast<const Look*>(lookData);
    switch (message) {
    case WM_NCCALCSIZE: {
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        int spare = (client.bottom - client.top) - lineHeightOf(hwnd);
        if (spare > 0) {
            client.top += spare / 2;
            client.bottom -= spare - spare / 2;
        }
        if (client.right - client.left > 2 * kFieldMargin) {
            client.left += kFieldMargin;
            client.right -= kFieldMargin;
        }
        return result;
    }
    case WM_NCPAINT: {
        RECT window, client;
        GetWindowRect(hwnd, &window);
        GetClientRect(hwnd, &client);
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        OffsetRect(&client, -window.left, -window.top);
        OffsetRect(&window, -window.left, -window.top);
        HDC dc = GetWindowDC(hwnd);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        FillRect(dc, &window, look.fieldBrush());
        FrameRect(dc, &window, look.fieldFrameBrush());
        ReleaseDC(hwnd, dc);
        return 0;
    }
    case WM_NCHITTEST:
        // The margins belong to the box: a press there puts the caret into it.
        return HTCLIENT;
    case WM_SETFONT: {
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, editBoxProcedure, kSubclassId);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Labels, frames and picture boxes move their window when pressed, as
// its caption bar would: they take the press themselves (rather than letting it through,
// which leaves it to whichever control lies below) and hand it to the window.
LRESULT CALLBACK dragProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
        ReleaseCapture();
        SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, dragProcedure, kSubclassId);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool movesWindow(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::PictureBox || kind == ControlKind::ShapeBox;
}

} // namespace

// A push button drawn by its parent from a vertical strip of state images (normal, hot,
// pressed), each as high as the strip divided by three; it tracks the pointer itself to
// know when it is hot. A two-state button's strip holds the three states twice, cleared
// and then selected.
class PictureButton {
public:
    static constexpr int kStates = 3;

    PictureButton(HWND button, std::unique_ptr<Gdiplus::Bitmap> states, bool twoState)
        : m_button(button), m_states(std::move(states)), m_twoState(twoState) {
        SetWindowSubclass(m_button, &PictureButton::procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    ~PictureButton() {
        if (IsWindow(m_button))
            RemoveWindowSubclass(m_button, &PictureButton::procedure, kSubclassId);
    }
    PictureButton(const PictureButton&) = delete;
    PictureButton& operator=(const PictureButton&) = delete;

    void draw(const DRAWITEMSTRUCT& item, const Look& look) const {
        RECT area = item.rcItem;
        FillRect(item.hDC, &area, look.backgroundBrush());
        if (!m_states)
            return;
        int state = (item.itemState & ODS_SELECTED) ? 2 : m_hot ? 1 : 0;
        if (m_selected)
            state += kStates;
        auto width = static_cast<INT>(m_states->GetWidth());
        auto height = static_cast<INT>(m_states->GetHeight() / (m_twoState ? 2 * kStates : kStates));
        Gdiplus::Graphics graphics(item.hDC);
        graphics.DrawImage(m_states.get(), Gdiplus::Rect(area.left, area.top, width, height), 0, state * height, width,
                           height, Gdiplus::UnitPixel);
    }

    bool selected() const { return m_selected; }
    void setSelected(bool selected) {
        if (!m_twoState || selected == m_selected)
            return;
        m_selected = selected;
        InvalidateRect(m_button, nullptr, FALSE);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
        auto& button = *reinterpret_cast<PictureButton*>(self);
        if (message == WM_MOUSEMOVE && !button.m_hot) {
            button.m_hot = true;
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = hwnd;
            TrackMouseEvent(&track);
            InvalidateRect(hwnd, nullptr, FALSE);
        } else if (message == WM_MOUSELEAVE) {
            button.m_hot = false;
            InvalidateRect(hwnd, nullptr, FALSE);
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, &PictureButton::procedure, kSubclassId);
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }

    HWND m_button;
    std::unique_ptr<Gdiplus::Bitmap> m_states;
    bool m_twoState;
    bool m_selected = false;
    bool m_hot = false;
};

namespace {

void fillBackground(const DRAWITEMSTRUCT& item, const Look& look) {
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, look.backgroundBrush());
}

// A transparent label's or a link's text, drawn over the window's background in the
// window's font.
void drawLabelText(const DRAWITEMSTRUCT& item, const Look& look, COLORREF colour) {
    fillBackground(item, look);
    int length = GetWindowTextLengthW(item.hwndItem);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(item.hwndItem, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    HGDIOBJ previous = SelectObject(item.hDC, look.font());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colour);
    RECT area = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), length, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, previous);
}

// A badge's strip holds the bright face above the dimmed one.
void drawBadge(const DRAWITEMSTRUCT& item, Gdiplus::Bitmap& faces, bool lit) {
    auto width = static_cast<INT>(faces.GetWidth());
    auto height = static_cast<INT>(faces.GetHeight() / 2);
    Gdiplus::Graphics graphics(item.hDC);
    graphics.DrawImage(&faces, Gdiplus::Rect(item.rcItem.left, item.rcItem.top, width, height), 0, lit ? 0 : height,
                       width, height, Gdiplus::UnitPixel);
}

} // namespace

ControlSet::ControlSet(const Look& look) : m_look(look) {}

ControlSet::~ControlSet() = default;

HWND ControlSet::add(HWND parent, const ControlForm& form, int commandId) {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (form.kind) {
    case ControlKind::Label:
        style |= SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
        break;
    case ControlKind::EditBox:
        windowClass = L"EDIT";
        style |= ES_LEFT | ES_AUTOHSCROLL;
        break;
    case ControlKind::TransparentLabel:
        // SS_NOTIFY: a press on the label reaches the window as a click (STN_CLICKED).
        style |= SS_OWNERDRAW | SS_NOTIFY;
        break;
    case ControlKind::Hyperlink:
        style |= SS_OWNERDRAW | SS_NOTIFY;
        break;
    case ControlKind::Badge:
        // SS_NOTIFY only so that the pointer over it reaches its tooltip; its clicks are ignored.
        style |= SS_OWNERDRAW | SS_NOTIFY;
        break;
    case ControlKind::PictureBox:
    case ControlKind::ShapeBox:
    case ControlKind::TabPage:
        style |= SS_OWNERDRAW;
        break;
    case ControlKind::ComboBox:
        windowClass = L"COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        break;
    case ControlKind::PictureButton:
    case ControlKind::TwoStateButton:
        windowClass = L"BUTTON";
        style |= BS_OWNERDRAW;
        break;
    }
    std::wstring text(form.text);
    // A combo box's height includes its dropped-down list.
    int height = form.kind == ControlKind::ComboBox ? form.place.height + kDroppedListHeight : form.place.height;
    HWND control = CreateWindowExW(0, windowClass, text.c_str(), style, form.place.x, form.place.y, form.place.width,
                                   height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control)
        return nullptr;
    // As in the form, a later control lies above the earlier ones it overlaps (the path
    // box over the end of its caption).
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    std::unique_ptr<PictureButton> picture;
    if (movesWindow(form.kind))
        SetWindowSubclass(control, dragProcedure, kSubclassId, 0);
    if (form.kind == ControlKind::EditBox)
        SetWindowSubclass(control, editBoxProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(&m_look));
    if (form.kind == ControlKind::PictureButton || form.kind == ControlKind::TwoStateButton)
        picture = std::make_unique<PictureButton>(control, loadPngResource(form.image),
                                                  form.kind == ControlKind::TwoStateButton);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_look.font()), FALSE);

    std::unique_ptr<Gdiplus::Bitmap> faces;
    if (form.kind == ControlKind::Badge)
        faces = loadPngResource(form.image);
    m_controls.push_back({control, form.kind, commandId, std::move(picture), nullptr, std::move(faces), false});
    return control;
}

std::optional<std::size_t> ControlSet::rowOf(int commandId) const {
    for (std::size_t row = 0; row < m_controls.size(); ++row) {
        if (m_controls[row].commandId == commandId)
            return row;
    }
    return std::nullopt;
}

void ControlSet::noteClick(std::size_t row) {
    if (m_controls[row].kind == ControlKind::TwoStateButton)
        setSelected(row, !selected(row));
}

bool ControlSet::selected(std::size_t row) const {
    const Control& control = m_controls[row];
    return control.kind == ControlKind::TwoStateButton && control.picture && control.picture->selected();
}

void ControlSet::setSelected(std::size_t row, bool selected) {
    Control& control = m_controls[row];
    if (control.kind == ControlKind::TwoStateButton && control.picture)
        control.picture->setSelected(selected);
}

void ControlSet::setPicture(std::size_t row, ByteView png) {
    Control& control = m_controls[row];
    if (control.kind != ControlKind::PictureBox)
        return;
    auto image = decodePng(png);
    control.shown = image ? std::make_unique<PremultipliedBitmap>(*image) : nullptr;
    InvalidateRect(control.hwnd, nullptr, FALSE);
}

void ControlSet::setLit(std::size_t row, bool lit) {
    Control& control = m_controls[row];
    if (control.kind != ControlKind::Badge || control.lit == lit)
        return;
    control.lit = lit;
    InvalidateRect(control.hwnd, nullptr, FALSE);
}

const ControlSet::Control* ControlSet::find(HWND hwnd) const {
    for (const Control& control : m_controls) {
        if (control.hwnd == hwnd)
            return &control;
    }
    return nullptr;
}

bool ControlSet::handleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        const Control* control = find(reinterpret_cast<HWND>(lParam));
        if (!control)
            return false;
        // An edit box asks with WM_CTLCOLORSTATIC while it is read-only or disabled.
        bool field = control->kind == ControlKind::EditBox;
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, Look::kText);
        SetBkColor(dc, field ? Look::kField : Look::kBackground);
        result = reinterpret_cast<LRESULT>(field ? m_look.fieldBrush() : m_look.backgroundBrush());
        return true;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const Control* control = find(item.hwndItem);
        if (!control)
            return false;
        switch (control->kind) {
        case ControlKind::PictureButton:
        case ControlKind::TwoStateButton:
            control->picture->draw(item, m_look);
            break;
        case ControlKind::TransparentLabel:
            drawLabelText(item, m_look, Look::kText);
            break;
        case ControlKind::Hyperlink:
            drawLabelText(item, m_look, Look::kLink);
            break;
        case ControlKind::TabPage:
            fillBackground(item, m_look);
            break;
        case ControlKind::Badge:
            fillBackground(item, m_look);
            if (control->faces)
                drawBadge(item, *control->faces, control->lit);
            break;
        case ControlKind::PictureBox:
            fillBackground(item, m_look);
            if (control->shown)
                control->shown->drawOn(item.hDC, item.rcItem.left, item.rcItem.top,
                                       item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top);
            break;
        case ControlKind::ShapeBox:
            fillBackground(item, m_look);
            FrameRect(item.hDC, &item.rcItem, m_look.fieldFrameBrush());
            break;
        default:
            return false;
        }
        result = TRUE;
        return true;
    }
    }
    return false;
}

} // namespace lumivel
