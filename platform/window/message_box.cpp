#include "platform/window/message_box.h"

#include "platform/gfx/text_renderer.h"
#include "platform/window/non_client.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr TColor kFace = Rgb(212, 208, 200);
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kWrapWidth = 360;

struct BoxState {
    WindowSystem* ws = nullptr;
    HWND dialog = nullptr;
    UINT type = 0;
    std::string text;
    MessageBox::Layout layout;
    HWND buttons[2] = {};
    bool pressed = false;
};

Font BoxFont()
{
    Font f;
    f.name = "MS Sans Serif";
    f.height = -12;
    return f;
}

// Text in a rectangle of the context, single line or word-wrapped.
void Text(DeviceContext& dc, const std::string& utf8, Rect r, unsigned flags, const Font& font)
{
    Canvas& canvas = dc.GetCanvas();
    int saved = canvas.SaveState();
    canvas.font = font;
    canvas.brush.style = BrushStyle::Clear;
    canvas.DrawTextUtf8(utf8, r, flags | kTextNoPrefix);
    canvas.RestoreState(saved);
}

int CancelAnswer(UINT type) { return (type & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK; }

void DrawIcon(DeviceContext& dc, const Rect& r, UINT icon)
{
    if (r.IsEmpty())
        return;
    int cx = r.left + kIconSize / 2, cy = r.top + kIconSize / 2;
    TColor fill = icon == MB_ICONERROR ? Rgb(200, 0, 0) : icon == MB_ICONWARNING ? Rgb(240, 200, 0) : Rgb(0, 80, 200);
    TColor mark = icon == MB_ICONWARNING ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            int dx = 2 * x + 1 - kIconSize, dy = 2 * y + 1 - kIconSize;
            bool inside = icon == MB_ICONWARNING ? (y >= 2 && std::abs(dx) <= y)
                                                 : dx * dx + dy * dy <= (kIconSize - 2) * (kIconSize - 2);
            if (inside)
                dc.SetPixel(r.left + x, r.top + y, fill);
        }
    switch (icon) {
    case MB_ICONERROR:
        for (int i = -7; i <= 7; ++i)
            for (int t = 0; t < 3; ++t) {
                dc.SetPixel(cx + i + t - 1, cy + i, mark);
                dc.SetPixel(cx + i + t - 1, cy - i, mark);
            }
        break;
    case MB_ICONWARNING:
        dc.FillRect({ cx - 2, cy - 6, cx + 2, cy + 5 }, mark);
        dc.FillRect({ cx - 2, cy + 8, cx + 2, cy + 12 }, mark);
        break;
    case MB_ICONQUESTION: {
        Font f = BoxFont();
        f.height = -22;
        f.bold = true;
        f.color = mark;
        Text(dc, "?", r, kTextCenter | kTextVCenter | kTextSingleLine, f);
        break;
    }
    default:
        dc.FillRect({ cx - 2, cy - 9, cx + 2, cy - 5 }, mark);
        dc.FillRect({ cx - 2, cy - 2, cx + 2, cy + 10 }, mark);
        break;
    }
}

LRESULT ButtonProc(WindowSystem& ws, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto* state = static_cast<BoxState*>(ws.GetUserData(ws.GetParent(hwnd)));
    if (!state)
        return ws.DefWindowProc(hwnd, msg, wparam, lparam);
    int answer = hwnd == state->buttons[1] ? IDCANCEL : IDOK;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        DeviceContext* dc = ws.BeginPaint(hwnd, &ps);
        Rect r = ws.GetClientRect(hwnd);
        bool down = state->pressed && ws.GetCapture() == hwnd;
        dc->FillRect(r, kFace);
        dc->FrameRect(r, Rgb(0, 0, 0));
        Rect in = r.Inflate(-1, -1);
        dc->FillRect({ in.left, in.top, in.right - 1, in.top + 1 }, down ? Rgb(128, 128, 128) : Rgb(255, 255, 255));
        dc->FillRect({ in.left, in.top, in.left + 1, in.bottom - 1 }, down ? Rgb(128, 128, 128) : Rgb(255, 255, 255));
        if (!down) {
            dc->FillRect({ in.left, in.bottom - 1, in.right, in.bottom }, Rgb(128, 128, 128));
            dc->FillRect({ in.right - 1, in.top, in.right, in.bottom }, Rgb(128, 128, 128));
        }
        std::string label = answer == IDOK ? "OK" : "Cancel";
        int shift = down ? 1 : 0;
        Text(*dc, label, r.Offset(shift, shift), kTextCenter | kTextVCenter | kTextSingleLine, BoxFont());
        if (ws.GetFocus() == hwnd)
            for (int x = 4; x < r.right - 4; x += 2) {
                dc->SetPixel(x, 4, 0);
                dc->SetPixel(x, r.bottom - 5, 0);
            }
        ws.EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ws.InvalidateRect(hwnd, nullptr, false);
        return 0;
    case WM_LBUTTONDOWN:
        state->pressed = true;
        ws.SetCapture(hwnd);
        ws.SetFocus(hwnd);
        ws.InvalidateRect(hwnd, nullptr, false);
        return 0;
    case WM_LBUTTONUP: {
        bool was = state->pressed && ws.GetCapture() == hwnd;
        state->pressed = false;
        ws.ReleaseCapture();
        ws.InvalidateRect(hwnd, nullptr, false);
        Point p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
        if (was && ws.GetClientRect(hwnd).Contains(p))
            ws.EndModal(state->dialog, answer);
        return 0;
    }
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_SPACE)
            ws.EndModal(state->dialog, answer);
        else if (wparam == VK_ESCAPE)
            ws.EndModal(state->dialog, CancelAnswer(state->type));
        else if ((wparam == VK_TAB || wparam == VK_LEFT || wparam == VK_RIGHT) && state->buttons[1])
            ws.SetFocus(hwnd == state->buttons[0] ? state->buttons[1] : state->buttons[0]);
        return 0;
    }
    return ws.DefWindowProc(hwnd, msg, wparam, lparam);
}

LRESULT DialogProc(WindowSystem& ws, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto* state = static_cast<BoxState*>(ws.GetUserData(hwnd));
    if (!state)
        return ws.DefWindowProc(hwnd, msg, wparam, lparam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        DeviceContext* dc = ws.BeginPaint(hwnd, &ps);
        DrawIcon(*dc, state->layout.icon, state->type & 0xF0);
        Rect r = state->layout.text;
        r.right = r.left + kWrapWidth;
        Text(*dc, state->text, r, kTextWordBreak | kTextExpandTabs, BoxFont());
        ws.EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        ws.EndModal(hwnd, CancelAnswer(state->type));
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_RETURN)
            ws.EndModal(hwnd, IDOK);
        else if (wparam == VK_ESCAPE)
            ws.EndModal(hwnd, CancelAnswer(state->type));
        return 0;
    }
    return ws.DefWindowProc(hwnd, msg, wparam, lparam);
}

}

MessageBox::Layout MessageBox::Measure(const std::string& text, UINT type)
{
    Layout l;
    bool icon = (type & 0xF0) != 0;
    bool two = (type & 0xF) == MB_OKCANCEL;
    Rect measured { 0, 0, kWrapWidth, 0 };
    Bitmap scratch(1, 1);
    TextRenderer::DrawText(scratch, Region(), BoxFont(), text, measured,
        kTextCalcRect | kTextWordBreak | kTextExpandTabs | kTextNoPrefix, std::nullopt);
    Size t { measured.Width(), measured.Height() };
    int left = kMargin;
    int body = std::max(t.cy, icon ? kIconSize : 0);
    if (icon) {
        l.icon = Rect::FromSize(kMargin, kMargin, kIconSize, kIconSize);
        left = kMargin + kIconSize + kMargin;
    }
    // Short text stands in the middle of the icon's height.
    l.text = Rect::FromSize(left, kMargin + (body - t.cy) / 2, t.cx, t.cy);
    int buttons_width = two ? 2 * kButtonWidth + 6 : kButtonWidth;
    l.client.cx = std::max(left + t.cx + kMargin, buttons_width + 2 * kMargin);
    int button_top = kMargin + body + kMargin;
    l.client.cy = button_top + kButtonHeight + kMargin;
    int bx = (l.client.cx - buttons_width) / 2;
    l.buttons[0] = Rect::FromSize(bx, button_top, kButtonWidth, kButtonHeight);
    if (two)
        l.buttons[1] = Rect::FromSize(bx + kButtonWidth + 6, button_top, kButtonWidth, kButtonHeight);
    return l;
}

int MessageBox::Show(WindowSystem& ws, HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    if (!ws.IsClassRegistered(kClassName)) {
        WindowSystem* system = &ws;
        ws.RegisterClass({ kClassName,
            [system](HWND h, UINT m, WPARAM w, LPARAM l) { return DialogProc(*system, h, m, w, l); }, 0, kFace });
        ws.RegisterClass({ kButtonClassName,
            [system](HWND h, UINT m, WPARAM w, LPARAM l) { return ButtonProc(*system, h, m, w, l); }, 0, -1 });
    }
    BoxState state;
    state.ws = &ws;
    state.type = type;
    state.text = text;
    state.layout = Measure(text, type);

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD ex_style = WS_EX_DLGMODALFRAME;
    int frame = NonClient::FrameWidth(style, ex_style);
    Size outer { state.layout.client.cx + 2 * frame,
        state.layout.client.cy + 2 * frame + NonClient::CaptionHeight(style, ex_style) };
    HWND top = ws.GetTopLevel(owner);
    Rect around = top && ws.IsWindowVisible(top) && !ws.IsIconic(top) ? ws.GetWindowRect(top) : ws.GetWorkArea();
    int x = around.left + around.Width() / 2 - outer.cx / 2;
    int y = around.top + around.Height() / 2 - outer.cy / 2;

    CreateWindowParams p;
    p.class_name = kClassName;
    p.text = caption;
    p.style = style;
    p.ex_style = ex_style;
    p.bounds = Rect::FromSize(x, y, outer.cx, outer.cy);
    p.parent = top;
    HWND dialog = ws.CreateWindowEx(p);
    if (!dialog)
        return 0;
    state.dialog = dialog;
    ws.SetUserData(dialog, &state);
    for (int i = 0; i < 2; ++i) {
        if (state.layout.buttons[i].IsEmpty())
            continue;
        CreateWindowParams b;
        b.class_name = kButtonClassName;
        b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        b.bounds = state.layout.buttons[i];
        b.parent = dialog;
        state.buttons[i] = ws.CreateWindowEx(b);
    }
    ws.ShowWindow(dialog, SW_SHOW);
    ws.SetFocus(state.buttons[0]);
    int result = ws.RunModal(dialog);
    if (ws.IsWindow(dialog)) {
        ws.SetUserData(dialog, nullptr);
        ws.DestroyWindow(dialog);
    }
    return result ? result : CancelAnswer(type);
}

}
