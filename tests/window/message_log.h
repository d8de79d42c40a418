#pragma once

// Records the messages that reach a set of named windows and compares them
// with an expected table, in the manner of message-sequence tests: each row
// names the window and message, and optionally the parameters to check.

#include "platform/window/window_system.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace pellamo::test {

enum ExpectFlags : unsigned {
    kAny = 0,
    kWParam = 1, // compare wParam
    kLParam = 2, // compare lParam
    kOptional = 4, // may be missing
};

struct Expect {
    std::string window;
    UINT message;
    unsigned flags = kAny;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

struct Seen {
    std::string window;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

inline std::string MessageName(UINT m)
{
    static const std::map<UINT, const char*> names = {
        { WM_CREATE, "WM_CREATE" },
        { WM_DESTROY, "WM_DESTROY" },
        { WM_MOVE, "WM_MOVE" },
        { WM_SIZE, "WM_SIZE" },
        { WM_ACTIVATE, "WM_ACTIVATE" },
        { WM_SETFOCUS, "WM_SETFOCUS" },
        { WM_KILLFOCUS, "WM_KILLFOCUS" },
        { WM_ENABLE, "WM_ENABLE" },
        { WM_PAINT, "WM_PAINT" },
        { WM_CLOSE, "WM_CLOSE" },
        { WM_ERASEBKGND, "WM_ERASEBKGND" },
        { WM_SHOWWINDOW, "WM_SHOWWINDOW" },
        { WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING" },
        { WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED" },
        { WM_NCCREATE, "WM_NCCREATE" },
        { WM_NCDESTROY, "WM_NCDESTROY" },
        { WM_NCCALCSIZE, "WM_NCCALCSIZE" },
        { WM_NCHITTEST, "WM_NCHITTEST" },
        { WM_NCPAINT, "WM_NCPAINT" },
        { WM_NCACTIVATE, "WM_NCACTIVATE" },
        { WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE" },
        { WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN" },
        { WM_NCLBUTTONUP, "WM_NCLBUTTONUP" },
        { WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK" },
        { WM_KEYDOWN, "WM_KEYDOWN" },
        { WM_KEYUP, "WM_KEYUP" },
        { WM_CHAR, "WM_CHAR" },
        { WM_SYSKEYDOWN, "WM_SYSKEYDOWN" },
        { WM_SYSKEYUP, "WM_SYSKEYUP" },
        { WM_SYSCHAR, "WM_SYSCHAR" },
        { WM_COMMAND, "WM_COMMAND" },
        { WM_SYSCOMMAND, "WM_SYSCOMMAND" },
        { WM_TIMER, "WM_TIMER" },
        { WM_HSCROLL, "WM_HSCROLL" },
        { WM_VSCROLL, "WM_VSCROLL" },
        { WM_MOUSEMOVE, "WM_MOUSEMOVE" },
        { WM_LBUTTONDOWN, "WM_LBUTTONDOWN" },
        { WM_LBUTTONUP, "WM_LBUTTONUP" },
        { WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK" },
        { WM_RBUTTONDOWN, "WM_RBUTTONDOWN" },
        { WM_RBUTTONUP, "WM_RBUTTONUP" },
        { WM_MOUSEWHEEL, "WM_MOUSEWHEEL" },
        { WM_CAPTURECHANGED, "WM_CAPTURECHANGED" },
        { WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE" },
        { WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE" },
        { WM_MOUSELEAVE, "WM_MOUSELEAVE" },
        { WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE" },
    };
    auto it = names.find(m);
    if (it != names.end())
        return it->second;
    std::ostringstream s;
    s << "0x" << std::hex << m;
    return s.str();
}

// Windows of the class "Logged" record every message; a test can give one
// window a handler that runs instead of DefWindowProc.
class MessageLog {
public:
    using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

    explicit MessageLog(WindowSystem& ws, TColor background = Rgb(255, 255, 255))
        : m_ws(ws)
    {
        m_ws.RegisterClass({ "Logged",
            [this](HWND h, UINT m, WPARAM w, LPARAM l) {
                Record(h, m, w, l);
                auto it = m_handlers.find(h);
                if (it != m_handlers.end() && it->second)
                    return it->second(h, m, w, l);
                return m_ws.DefWindowProc(h, m, w, l);
            },
            0, background });
        m_ignored = { WM_NCHITTEST };
    }

    HWND Create(const std::string& name, DWORD style, Rect bounds, HWND parent = nullptr, DWORD ex_style = 0)
    {
        CreateWindowParams p;
        p.class_name = "Logged";
        p.text = name;
        p.style = style;
        p.ex_style = ex_style;
        p.bounds = bounds;
        p.parent = parent;
        m_pending_name = name;
        HWND h = m_ws.CreateWindowEx(p);
        m_pending_name.clear();
        m_names[h] = name;
        return h;
    }

    void SetHandler(HWND h, Handler handler) { m_handlers[h] = std::move(handler); }
    void Record(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m_ignored.count(m))
            return;
        auto it = m_names.find(h);
        std::string name = it != m_names.end() ? it->second : m_pending_name;
        m_seen.push_back({ name.empty() ? "?" : name, m, w, l });
    }
    void Name(HWND h, const std::string& name) { m_names[h] = name; }
    void Ignore(std::set<UINT> messages) { m_ignored.insert(messages.begin(), messages.end()); }
    void Clear() { m_seen.clear(); }
    const std::vector<Seen>& Messages() const { return m_seen; }
    std::vector<UINT> MessagesOf(const std::string& window) const
    {
        std::vector<UINT> out;
        for (const Seen& s : m_seen)
            if (s.window == window)
                out.push_back(s.message);
        return out;
    }

    // Compares what was recorded with `expected` (then forgets it).
    void Check(const std::vector<Expect>& expected, const char* what)
    {
        std::ostringstream diff;
        size_t i = 0;
        bool ok = true;
        for (const Expect& e : expected) {
            bool match = i < m_seen.size() && m_seen[i].window == e.window && m_seen[i].message == e.message
                && (!(e.flags & kWParam) || m_seen[i].wparam == e.wparam)
                && (!(e.flags & kLParam) || m_seen[i].lparam == e.lparam);
            if (match) {
                ++i;
                continue;
            }
            if (e.flags & kOptional)
                continue;
            ok = false;
            diff << "  expected " << e.window << " " << MessageName(e.message);
            if (e.flags & kWParam)
                diff << " wParam=" << e.wparam;
            if (e.flags & kLParam)
                diff << " lParam=" << e.lparam;
            if (i < m_seen.size())
                diff << ", got " << m_seen[i].window << " " << MessageName(m_seen[i].message)
                     << " wParam=" << m_seen[i].wparam << " lParam=" << m_seen[i].lparam;
            else
                diff << ", got nothing";
            diff << "\n";
            break;
        }
        if (ok && i < m_seen.size()) {
            ok = false;
            diff << "  unexpected extra messages from " << m_seen[i].window << " " << MessageName(m_seen[i].message)
                 << "\n";
        }
        if (!ok) {
            diff << "  recorded:";
            for (const Seen& s : m_seen)
                diff << " " << s.window << ":" << MessageName(s.message);
            ADD_FAILURE() << what << "\n" << diff.str();
        }
        m_seen.clear();
    }

private:
    WindowSystem& m_ws;
    std::map<HWND, std::string> m_names;
    std::map<HWND, Handler> m_handlers;
    std::set<UINT> m_ignored;
    std::vector<Seen> m_seen;
    std::string m_pending_name;
};

}
