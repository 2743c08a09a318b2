#include "tests/journey/Desktop.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace journey {
namespace {

using namespace std::chrono_literals;

constexpr int kFirstDisplay = 60;
constexpr int kLastDisplay = 250;

bool DisplayTaken(int number) {
    return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock");
}

Display* OpenWhenReady(const std::string& name, ChildProcess& server) {
    for (int attempt = 0; attempt < 200 && server.Running(); ++attempt) {
        if (Display* display = XOpenDisplay(name.c_str())) {
            return display;
        }
        std::this_thread::sleep_for(50ms);
    }
    return nullptr;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

KeySym Modifier(const std::string& name) {
    if (name == "alt") {
        return XK_Alt_L;
    }
    if (name == "ctrl") {
        return XK_Control_L;
    }
    if (name == "shift") {
        return XK_Shift_L;
    }
    return NoSymbol;
}

// Windows come and go between a look at the tree and a question about one of them:
// a question about a window that went is no failure of the journey.
int IgnoreGoneWindows(Display*, XErrorEvent*) { return 0; }

}  // namespace

Desktop::Desktop(int width, int height, const std::filesystem::path& logFolder) {
    XSetErrorHandler(IgnoreGoneWindows);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    for (int number = kFirstDisplay; number <= kLastDisplay && m_display == nullptr; ++number) {
        if (DisplayTaken(number)) {
            continue;
        }
        m_name = ":" + std::to_string(number);
        m_server = std::make_unique<ChildProcess>("/usr/bin/Xvfb",
                                                  std::vector<std::string>{m_name, "-screen", "0", screen, "-nolisten",
                                                                           "tcp", "-noreset"},
                                                  std::vector<std::string>{}, logFolder / "xvfb.log");
        m_display = OpenWhenReady(m_name, *m_server);
        if (m_display == nullptr) {
            m_server.reset();
        }
    }
    if (m_display == nullptr) {
        throw std::runtime_error("no virtual X server could be started");
    }
    m_manager = std::make_unique<ChildProcess>("/usr/bin/openbox", std::vector<std::string>{"--sm-disable"},
                                               std::vector<std::string>{"DISPLAY=" + m_name},
                                               logFolder / "openbox.log");
    const Atom check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    const bool managed = WaitUntil(
        [&] {
            Atom type = None;
            int format = 0;
            unsigned long count = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            const bool present = XGetWindowProperty(m_display, DefaultRootWindow(m_display), check, 0, 1, False,
                                                    XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                                 count == 1;
            if (data != nullptr) {
                XFree(data);
            }
            return present;
        },
        10s);
    if (!managed) {
        throw std::runtime_error("openbox did not take the display");
    }
}

Desktop::~Desktop() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
    m_manager.reset();
    m_server.reset();
}

void Desktop::Sync() {
    if (m_display != nullptr) {
        XSync(m_display, False);
    }
}

std::string Desktop::Property(::Window window, const char* name, const char* type) {
    const Atom property = XInternAtom(m_display, name, False);
    const Atom wanted = XInternAtom(m_display, type, False);
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(m_display, window, property, 0, 4096, False, wanted, &actual, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (format == 8) {
            text.assign(reinterpret_cast<const char*>(data), count);
        } else if (format == 32 && wanted == XA_ATOM && count > 0) {
            char* atomName = XGetAtomName(m_display, reinterpret_cast<Atom*>(data)[0]);
            text = atomName != nullptr ? atomName : "";
            XFree(atomName);
        }
        XFree(data);
    }
    return text;
}

::Window Desktop::ClientOf(::Window frame) {
    const Atom state = XInternAtom(m_display, "WM_STATE", False);
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, frame, state, 0, 2, False, AnyPropertyType, &actual, &format, &count, &after,
                           &data) == Success &&
        actual != None) {
        XFree(data);
        return frame;
    }
    if (data != nullptr) {
        XFree(data);
    }
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int childCount = 0;
    ::Window found = 0;
    if (XQueryTree(m_display, frame, &root, &parent, &children, &childCount) != 0) {
        for (unsigned int i = 0; i < childCount && found == 0; ++i) {
            found = ClientOf(children[i]);
        }
        XFree(children);
    }
    return found;
}

std::vector<TopWindow> Desktop::ShownWindows() {
    Sync();
    std::vector<TopWindow> shown;
    if (m_display == nullptr) {
        return shown;
    }
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count) == 0) {
        return shown;
    }
    const int screenWidth = DisplayWidth(m_display, DefaultScreen(m_display));
    const int screenHeight = DisplayHeight(m_display, DefaultScreen(m_display));
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_display, children[i], &attributes) == 0 || attributes.map_state != IsViewable) {
            continue;
        }
        const Rect outer{attributes.x, attributes.y, attributes.width, attributes.height};
        if (outer.Right() <= 0 || outer.Bottom() <= 0 || outer.x >= screenWidth || outer.y >= screenHeight) {
            continue;  // parked out of sight
        }
        TopWindow window;
        window.managed = attributes.override_redirect == False;
        window.id = window.managed ? ClientOf(children[i]) : children[i];
        if (window.id == 0) {
            continue;  // a window of the manager's own
        }
        XWindowAttributes client{};
        int x = 0;
        int y = 0;
        ::Window child = 0;
        if (XGetWindowAttributes(m_display, window.id, &client) == 0) {
            continue;
        }
        XTranslateCoordinates(m_display, window.id, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
        window.rect = Rect{x, y, client.width, client.height};
        window.title = Property(window.id, "_NET_WM_NAME", "UTF8_STRING");
        if (window.title.empty()) {
            window.title = Property(window.id, "WM_NAME", "STRING");
        }
        std::string type = Property(window.id, "_NET_WM_WINDOW_TYPE", "ATOM");
        const std::string prefix = "_NET_WM_WINDOW_TYPE_";
        window.type = type.rfind(prefix, 0) == 0 ? type.substr(prefix.size()) : type;
        shown.push_back(window);
    }
    XFree(children);
    return shown;
}

std::optional<TopWindow> Desktop::FindWindow(const std::function<bool(const TopWindow&)>& match) {
    for (const TopWindow& window : ShownWindows()) {
        if (match(window)) {
            return window;
        }
    }
    return std::nullopt;
}

std::optional<TopWindow> Desktop::WaitForWindow(const std::function<bool(const TopWindow&)>& match,
                                                std::chrono::milliseconds limit) {
    std::optional<TopWindow> found;
    WaitUntil([&] { return (found = FindWindow(match)).has_value(); }, limit);
    return found;
}

bool Desktop::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(100ms);
    }
}

ScreenShot Desktop::Grab(const Rect& wanted) {
    Sync();
    if (m_display == nullptr) {
        return {};
    }
    const int screenWidth = DisplayWidth(m_display, DefaultScreen(m_display));
    const int screenHeight = DisplayHeight(m_display, DefaultScreen(m_display));
    Rect rect = wanted;
    rect.x = std::max(0, rect.x);
    rect.y = std::max(0, rect.y);
    rect.width = std::min(wanted.Right(), screenWidth) - rect.x;
    rect.height = std::min(wanted.Bottom(), screenHeight) - rect.y;
    if (rect.width <= 0 || rect.height <= 0) {
        return {};
    }
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), rect.x, rect.y,
                              static_cast<unsigned>(rect.width), static_cast<unsigned>(rect.height), AllPlanes,
                              ZPixmap);
    if (image == nullptr) {
        return {};
    }
    std::vector<Rgb> pixels;
    pixels.reserve(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height));
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            pixels.push_back({static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                              static_cast<int>(pixel & 0xFF)});
        }
    }
    XDestroyImage(image);
    return ScreenShot(rect, std::move(pixels));
}

ScreenShot Desktop::GrabScreen() {
    if (m_display == nullptr) {
        return {};
    }
    return Grab(Rect{0, 0, DisplayWidth(m_display, DefaultScreen(m_display)),
                     DisplayHeight(m_display, DefaultScreen(m_display))});
}

void Desktop::MoveTo(int x, int y) {
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    Sync();
}

void Desktop::Click(int x, int y) {
    MoveTo(x, y);
    std::this_thread::sleep_for(60ms);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    Sync();
    std::this_thread::sleep_for(40ms);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    Sync();
}

void Desktop::Key(const std::string& combination) {
    std::vector<KeyCode> held;
    for (const std::string& part : Split(combination, '+')) {
        KeySym symbol = Modifier(part);
        if (symbol == NoSymbol) {
            symbol = XStringToKeysym(part.c_str());
        }
        const KeyCode code = XKeysymToKeycode(m_display, symbol);
        if (code == 0) {
            throw std::runtime_error("no key for " + part);
        }
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        held.push_back(code);
    }
    Sync();
    std::this_thread::sleep_for(30ms);
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
        XTestFakeKeyEvent(m_display, *it, False, CurrentTime);
    }
    Sync();
    std::this_thread::sleep_for(30ms);
}

void Desktop::Type(const std::string& text) {
    for (const char c : text) {
        const KeySym symbol = static_cast<KeySym>(static_cast<unsigned char>(c));
        const KeyCode code = XKeysymToKeycode(m_display, symbol);
        if (code == 0) {
            throw std::runtime_error(std::string("no key types ") + c);
        }
        const bool shifted = XkbKeycodeToKeysym(m_display, code, 0, 0) != symbol;
        const KeyCode shift = XKeysymToKeycode(m_display, XK_Shift_L);
        if (shifted) {
            XTestFakeKeyEvent(m_display, shift, True, CurrentTime);
        }
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        if (shifted) {
            XTestFakeKeyEvent(m_display, shift, False, CurrentTime);
        }
        Sync();
        std::this_thread::sleep_for(10ms);
    }
}

void Desktop::EndServer() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
    m_manager.reset();
    m_server.reset();
}

void Desktop::Settle(std::chrono::milliseconds time) {
    Sync();
    std::this_thread::sleep_for(time);
}

}  // namespace journey
