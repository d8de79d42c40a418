#pragma once

#include "platform/backend/display_backend.h"
#include "platform/loop/event_loop.h"
#include "platform/window/device_context.h"
#include "platform/window/double_click.h"
#include "platform/window/messages.h"
#include "platform/window/window_object.h"
#include "platform/window/window_slide.h"

#include <chrono>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pellamo {

struct WindowClass {
    std::string name;
    WndProc proc; // empty: DefWindowProc
    UINT style = 0; // CS_DBLCLKS
    TColor background = -1; // brush of WM_ERASEBKGND; negative: no erase
    CursorShape cursor = CursorShape::Arrow;
};

// lParam of WM_NCCREATE and WM_CREATE points to these (as to a CREATESTRUCT).
// Frames: WS_DLGFRAME, WS_THICKFRAME or WS_EX_DLGMODALFRAME give 3 pixels on
// every side (also with the caption bits cleared, as a skinned form has
// them), WS_BORDER 1, WS_EX_CLIENTEDGE 2 more; WS_CAPTION adds an 18-pixel
// caption. Top-level windows with WS_EX_NOACTIVATE, or WS_EX_TOOLWINDOW with
// WS_EX_TOPMOST (menus, notifications), are pop-ups: outside the window
// manager's control and never activated.
struct CreateWindowParams {
    DWORD ex_style = 0;
    std::string class_name;
    std::string text; // UTF-8, as every window text here
    DWORD style = 0;
    Rect bounds; // parent client coordinates for WS_CHILD, else screen
    HWND parent = nullptr; // the parent of a child window, the owner of a top-level one
    void* create_param = nullptr; // for the window's own use
};

struct PAINTSTRUCT {
    DeviceContext* hdc = nullptr;
    bool fErase = false;
    RECT rcPaint;
};

// Windows with Win32 message semantics on top of a display backend: one
// tree per top-level window, drawn into that window's back buffer, input
// routed by hit testing, capture, focus and activation, timers and posted
// messages on the event loop, and painting coalesced before the loop blocks.
// All calls are made on the loop's thread.
class WindowSystem {
public:
    explicit WindowSystem(DisplayBackend& backend, EventLoop& loop = EventLoop::Main());
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // The most recently constructed, still living instance.
    static WindowSystem* Current();

    DisplayBackend& Backend() { return m_backend; }
    EventLoop& Loop() { return m_loop; }

    // Classes and windows.
    void RegisterClass(const WindowClass& cls);
    bool IsClassRegistered(const std::string& name) const { return m_classes.count(name) != 0; }
    // Throws std::invalid_argument for an unknown class or a child without a
    // parent. Returns nullptr when WM_NCCREATE or WM_CREATE refuses.
    HWND CreateWindowEx(const CreateWindowParams& params);
    bool DestroyWindow(HWND hwnd);
    bool IsWindow(HWND hwnd) const { return Find(hwnd) != nullptr; }

    // Messages. A message to a window that no longer exists answers 0.
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    bool PostMessage(HWND hwnd, UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    void PostQuitMessage(int code);
    LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    // Installs `proc` and returns the one it replaces, which stays callable.
    WndProc SetWindowProc(HWND hwnd, WndProc proc);
    WndProc GetWindowProc(HWND hwnd) const;
    LRESULT CallWindowProc(const WndProc& proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    // Stacks `proc` on the window: it sees every message first and passes
    // on what it wants through its `next`. Unlike SetWindowProc, subclasses
    // can be taken out in any order (also while one runs): the others stay
    // chained. Returns the id to remove it with, 0 for no window.
    uint64_t SetWindowSubclass(HWND hwnd, SubclassProc proc);
    bool RemoveWindowSubclass(HWND hwnd, uint64_t id);
    // The application-wide hook: sees every queued message (input, posted,
    // timer) before dispatch; returning true marks it handled.
    using MessageHook = std::function<bool(MSG&)>;
    uint64_t AddMessageHook(MessageHook hook);
    void RemoveMessageHook(uint64_t id);
    // An exception that leaves the handling of a queued message or of a
    // paint goes here and the loop goes on (the application shows it in a
    // message box). Without a handler it is written to stderr.
    using ExceptionHandler = std::function<void(std::exception_ptr)>;
    void SetExceptionHandler(ExceptionHandler handler) { m_exception_handler = std::move(handler); }

    // Attributes.
    DWORD GetStyle(HWND hwnd) const;
    // Stores the words; a frame change takes effect with SetWindowPos(SWP_FRAMECHANGED).
    // WS_VISIBLE, WS_MINIMIZE, WS_MAXIMIZE and WS_DISABLED keep following the window's state.
    void SetStyle(HWND hwnd, DWORD style);
    DWORD GetExStyle(HWND hwnd) const;
    // A top-level window that becomes a pop-up or stops being one (see
    // CreateWindowParams), or changes WS_EX_TOPMOST, gets a new display
    // window of that kind. WS_EX_ACCEPTFILES on a top-level window lets the
    // display drop files and links on it: they arrive as WM_DROPFILES at the
    // window under the drop point that has the bit, or its nearest ancestor
    // that has it.
    void SetExStyle(HWND hwnd, DWORD ex_style);
    void DragAcceptFiles(HWND hwnd, bool accept);
    std::string GetClassName(HWND hwnd) const;
    std::string GetWindowText(HWND hwnd) const;
    void SetWindowText(HWND hwnd, const std::string& text);
    void* GetUserData(HWND hwnd) const;
    void SetUserData(HWND hwnd, void* data);
    HWND GetParent(HWND hwnd) const; // parent of a child, owner of a top-level window
    HWND GetTopLevel(HWND hwnd) const;
    std::vector<HWND> GetChildren(HWND hwnd) const; // bottom first
    std::vector<HWND> TopLevelWindows() const; // bottom first
    bool IsChild(HWND parent, HWND hwnd) const;

    // Geometry.
    Rect GetWindowRect(HWND hwnd) const; // screen coordinates
    Rect GetClientRect(HWND hwnd) const; // (0, 0, width, height)
    Rect GetClientRectInWindow(HWND hwnd) const;
    bool SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
    bool MoveWindow(HWND hwnd, int x, int y, int cx, int cy, bool repaint = true);
    bool BringWindowToTop(HWND hwnd);
    Point ClientToScreen(HWND hwnd, Point p) const;
    Point ScreenToClient(HWND hwnd, Point p) const;
    Point GetCursorPos() const;
    Rect GetWorkArea() const { return m_backend.WorkArea(); }
    Size GetScreenSize() const { return m_backend.ScreenSize(); }
    HWND WindowFromPoint(Point screen) const;
    // The warning sound of refused input.
    void MessageBeep() { m_backend.Beep(); }

    // Visibility and state.
    bool ShowWindow(HWND hwnd, int cmd);
    bool IsWindowVisible(HWND hwnd) const;
    bool IsIconic(HWND hwnd) const;
    bool IsZoomed(HWND hwnd) const;
    bool EnableWindow(HWND hwnd, bool enable);
    bool IsWindowEnabled(HWND hwnd) const;

    // Focus, activation, capture, pointer.
    HWND SetFocus(HWND hwnd);
    HWND GetFocus() const { return m_focus; }
    HWND SetActiveWindow(HWND hwnd);
    HWND GetActiveWindow() const { return m_active; }
    // The active window while the program has the display's focus.
    HWND GetForegroundWindow() const { return m_active; }
    HWND SetCapture(HWND hwnd);
    bool ReleaseCapture();
    HWND GetCapture() const { return m_capture; }
    // kModShift, kModControl and kModAlt as the last key event had them
    // (what GetKeyState tells of the shift keys while a key is handled).
    unsigned KeyModifiers() const { return m_key_modifiers; }
    // The key being handled was taken whole (Enter or Esc as a dialog key):
    // no character follows it, as none follows a key a dialog takes.
    void TakeKeyWhole() { m_key_taken_whole = true; }
    bool TrackMouseEvent(TRACKMOUSEEVENT& tme);
    void SetWindowCursor(HWND hwnd, CursorShape shape);

    // Painting.
    bool InvalidateRect(HWND hwnd, const Rect* rect, bool erase);
    bool ValidateRect(HWND hwnd, const Rect* rect);
    bool RedrawWindow(HWND hwnd, const Rect* rect, UINT flags);
    bool GetUpdateRect(HWND hwnd, Rect* rect) const;
    bool UpdateWindow(HWND hwnd);
    DeviceContext* BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
    void EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
    DeviceContext* GetDC(HWND hwnd); // the client area
    DeviceContext* GetWindowDC(HWND hwnd); // the whole window, frame included
    int ReleaseDC(HWND hwnd, DeviceContext* dc);
    // The window whose device context (handed out and not yet released)
    // `canvas` draws on; null for a canvas on a bitmap of its own. Lets a
    // drawing hook that is given only a canvas find its window.
    HWND WindowFromDC(const Canvas& canvas) const;
    // Paints every invalid window and presents each changed top-level
    // window in one step; runs by itself before the loop blocks.
    void PaintPending();
    // The back buffer of a top-level window (tests and benchmarks read it).
    const Bitmap* BackBuffer(HWND top) const;
    DisplayWindowId DisplayWindowOf(HWND top) const;

    // Regions in window coordinates; nullopt removes the region. A top-level
    // window's region becomes its display shape; every region limits
    // painting and hit testing.
    bool SetWindowRgn(HWND hwnd, std::optional<Region> region, bool redraw);
    std::optional<Region> GetWindowRgn(HWND hwnd) const;

    // Window scroll bars.
    int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
    bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) const;
    bool GetScrollBarInfo(HWND hwnd, int32_t object, SCROLLBARINFO* info) const;
    int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
    int GetScrollPos(HWND hwnd, int bar) const;
    bool ShowScrollBar(HWND hwnd, int bar, bool show);
    bool EnableScrollBar(HWND hwnd, int bar, UINT arrows);
    // Scrolls a window to a position of its bar SB_HORZ or SB_VERT as the
    // end of a thumb drag does: WM_HSCROLL or WM_VSCROLL with
    // SB_THUMBPOSITION, the whole position standing as the bar's track
    // position while the message is handled (the message's 16-bit field
    // holds only its low half).
    void SendThumbPosition(HWND hwnd, int bar, int pos);
    // The whole position a SB_THUMBTRACK or SB_THUMBPOSITION message of
    // that bar names: the track position when its low 16 bits are the
    // message's, else the message's 16-bit value.
    int ThumbPosition(HWND hwnd, int bar, WPARAM wparam) const;

    // Shows or hides a top-level window with a roll or a slide (AW_* flags
    // of window_slide.h) played over `milliseconds` by the loop's timers, and
    // returns at once; `done` runs once the window has reached its end (its
    // own place and region, hidden after a hide). False, and nothing happens,
    // for flags it cannot play, a child window, or a window already shown
    // (hidden) when asked to show (hide). ShowWindow, a second animation or
    // DestroyWindow end a running one first: at once, with its `done`
    // (DestroyWindow without). A region set meanwhile is replaced at the end.
    bool AnimateWindow(HWND hwnd, UINT milliseconds, DWORD flags, std::function<void()> done = {});
    bool IsAnimating(HWND hwnd) const { return m_slides.count(hwnd) != 0; }

    // Timers: WM_TIMER with wParam = id, through the queue.
    uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT milliseconds);
    bool KillTimer(HWND hwnd, uintptr_t id);

    // Modal loops. RunModal disables the other top-level windows, shows and
    // activates `hwnd`, runs the loop until EndModal, destruction or hiding
    // of the window (or the loop quits), then hides it, re-enables the others
    // and reactivates the window that was active. Returns the EndModal result
    // (0 when the window went away otherwise).
    int RunModal(HWND hwnd);
    void EndModal(HWND hwnd, int result);
    bool IsInModalLoop(HWND hwnd) const;

    // Entry of the backend's events.
    void HandleDisplayEvent(const DisplayEvent& event);

private:
    struct MoveTrack {
        HWND hwnd = nullptr;
        Point start_cursor;
        Rect start_rect;
    };
    struct ScrollTrack {
        HWND hwnd = nullptr;
        int bar = SB_VERT;
        int part = 0; // SB_LINEUP ... or SB_THUMBTRACK
        int grab_offset = 0; // pointer offset inside the thumb
        int last_pos = 0;
    };

    WindowObject* Find(HWND hwnd) const;
    WindowObject* TopOf(WindowObject* w) const;
    std::shared_ptr<WindowObject> Hold(HWND hwnd) const;
    LRESULT Dispatch(WindowObject& w, UINT msg, WPARAM wparam, LPARAM lparam);
    // Runs the subclass just below `below` (the outermost for UINT64_MAX),
    // or the window's own procedure when none is left.
    LRESULT CallBelow(HWND hwnd, uint64_t below, UINT msg, WPARAM wparam, LPARAM lparam);
    void DispatchQueued(MSG msg);
    void Guarded(const std::function<void()>& work);
    // Runs the application-wide hooks on a queued message; true when one took it.
    bool HookTakes(MSG& msg);
    void Report(std::exception_ptr failure);
    void DestroyTree(HWND hwnd);

    Point WindowOriginInTop(const WindowObject& w) const;
    Point ClientOriginInTop(const WindowObject& w) const;
    Rect VisibleAreaInTop(const WindowObject& w, bool whole_window) const;
    Region ClipFor(const WindowObject& w, bool whole_window) const;
    static Rect BufferRect(const WindowObject& top);
    static Bitmap& SizedBackBuffer(WindowObject& top);
    DeviceContext* MakeDC(WindowObject& w, bool whole_window);
    void InvalidateTree(WindowObject& w, const Rect& rect_in_parent_client, bool include_self);
    void InvalidateWhole(WindowObject& w, bool children);
    void PaintTree(WindowObject& w);
    void Present(WindowObject& top);
    void MarkPresent(WindowObject& top, const Rect& rect_in_window);
    void RecalcFrame(WindowObject& w, const Rect& new_rect, WINDOWPOS& pos);
    void ApplyShape(WindowObject& w);
    // A new display window of the kind the window's styles now ask for.
    void RecreateDisplay(WindowObject& w);
    // Ends the window's animation at once and runs its `done`.
    void EndAnimation(HWND hwnd);

    void Activate(HWND hwnd, WPARAM how, bool from_display);
    void ActivateAnother(HWND leaving);
    // Moves the window with the held left button from `grip`, the screen
    // point where the button went down (the pointer may be past it by now).
    void StartMove(HWND hwnd, Point grip);
    void EndTrackingGrab();
    // A window scroll bar of the default frame, in window coordinates.
    static Rect DefaultScrollBarRect(const WindowObject& w, int bar);
    bool StartScrollTrack(HWND hwnd, int bar, Point screen);
    void StepScroll(HWND hwnd, int bar, int code, int pos);

    void HandleMouse(const DisplayEvent& event, WindowObject& top);
    // HandleMouse's steps: a move or scroll-bar drag under way takes the
    // pointer; else the window under it (or the capture) gets the message.
    void TrackMove(const DisplayEvent& event, bool released);
    void TrackScroll(const DisplayEvent& event, bool released);
    // Null when the pointer is over nothing that takes input; `hit` is the
    // hit-test answer (HTCLIENT for the capture).
    HWND MouseTarget(const DisplayEvent& event, WindowObject& top, LRESULT& hit);
    void DispatchMouseMove(MSG msg, WindowObject& top, bool client);
    void DispatchButtonDown(const DisplayEvent& event, MSG msg, WindowObject& top, bool client);
    void DispatchButtonUp(const DisplayEvent& event, MSG msg, bool client);
    void DispatchWheel(const DisplayEvent& event, MSG msg);
    void HandleDrop(const DisplayEvent& event, WindowObject& top);
    void RouteDisplayEvent(const DisplayEvent& event);
    void HandleKey(const DisplayEvent& event);
    void HandleText(const std::string& text);
    // What the desktop did to a top-level window: moved or sized, restored, minimised.
    void HandleDisplayConfigure(WindowObject& top, const Rect& rect);
    void HandleDisplayMapped(WindowObject& top);
    void HandleDisplayUnmapped(WindowObject& top);

    // DefWindowProc's cases.
    LRESULT DefKeyDown(WindowObject& w, UINT msg, WPARAM wparam, LPARAM lparam);
    LRESULT DefNcCalcSize(WindowObject& w, WPARAM wparam, LPARAM lparam);
    LRESULT DefNcHitTest(WindowObject& w, Point screen);
    LRESULT DefNcPaint(WindowObject& w);
    LRESULT DefNcActivate(WindowObject& w, bool active);
    LRESULT DefActivate(WindowObject& w, WPARAM wparam);
    LRESULT DefEraseBackground(WindowObject& w, DeviceContext* dc);
    LRESULT DefPaint(WindowObject& w, WPARAM wparam);
    LRESULT DefWindowPosChanged(WindowObject& w, const WINDOWPOS* pos);
    LRESULT DefNcLButtonDown(WindowObject& w, WPARAM wparam, LPARAM lparam);
    LRESULT DefNcLButtonUp(WindowObject& w, WPARAM wparam, LPARAM lparam);
    LRESULT DefSysCommand(WindowObject& w, WPARAM wparam, LPARAM lparam);

    // ShowWindow's actions; each answers whether the window was visible before.
    bool ShowWindowHide(WindowObject& w, bool was_visible);
    bool ShowWindowMinimize(WindowObject& w, bool was_visible);
    bool ShowWindowMaximize(WindowObject& w, bool was_visible, bool activate);
    bool ShowWindowRestore(WindowObject& w, bool was_visible, bool activate);
    bool ShowWindowShow(WindowObject& w, bool was_visible, bool activate);
    // A top-level window that is no pop-up becomes active once shown.
    void ActivateShown(WindowObject& w);
    HWND ChildAt(WindowObject& w, Point screen) const;
    void CheckMouseLeave(HWND target, bool client);
    WPARAM MouseKeys(unsigned modifiers) const;

    DisplayBackend& m_backend;
    EventLoop& m_loop;
    std::unordered_map<std::string, WindowClass> m_classes;
    std::unordered_map<HWND, std::shared_ptr<WindowObject>> m_windows;
    std::vector<HWND> m_top_order; // bottom first
    std::unordered_map<DisplayWindowId, HWND> m_by_display;
    uintptr_t m_next_handle = 0x10;
    std::map<uint64_t, MessageHook> m_hooks;
    ExceptionHandler m_exception_handler;
    uint64_t m_next_hook = 1;
    uint64_t m_next_subclass = 1;
    std::vector<std::unique_ptr<DeviceContext>> m_dcs;
    struct Animation {
        std::unique_ptr<WindowSlide> slide;
        std::function<void()> done;
    };
    std::map<HWND, Animation> m_slides;

    HWND m_focus = nullptr;
    HWND m_active = nullptr;
    HWND m_capture = nullptr;
    HWND m_tracked = nullptr; // TrackMouseEvent window
    unsigned m_buttons = 0; // kMod*Button bits from the last pointer event
    unsigned m_key_modifiers = 0; // kModShift... from the last key event
    bool m_key_taken_whole = false;
    Point m_cursor;
    std::optional<MoveTrack> m_move;
    std::optional<ScrollTrack> m_scroll;
    DoubleClickDetector m_clicks;
    bool m_painting = false;
    bool m_force_size = false; // state changes send WM_SIZE even at the same size
    bool m_from_display = false; // the display already did it: do not echo it back
    EventLoop::Id m_prepare_hook = 0;
    std::shared_ptr<bool> m_alive;
    WindowSystem* m_previous_current = nullptr;
};

}
