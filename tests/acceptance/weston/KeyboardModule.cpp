// SPDX-License-Identifier: GPL-3.0-or-later
// Headless weston has no input devices; this module gives it a keyboard. Each byte written to
// the FIFO $TARVENPAD_WESTON_KEYS is a Linux key code to press, or 128 + the code to release,
// and goes through weston's own key path as a real keyboard's would. The title of the window
// that has the keyboard is kept in $TARVENPAD_WESTON_KEYS.focus: weston hands the keyboard to
// a window a moment after the window may call itself active, and a key pressed in between goes
// to the window before.
#include <cstdio>
#include <fcntl.h>
#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern "C" { // libweston's interface for backends: exported, but its header is not installed
int weston_seat_init_keyboard(weston_seat*, xkb_keymap*);
void weston_seat_init(weston_seat*, weston_compositor*, const char* name);
void notify_key(weston_seat*, const timespec*, uint32_t key, wl_keyboard_key_state,
                int automaticModifiers);
}

static weston_seat seat;
static wl_listener focusListener;
static std::string focusPath;

static void keepFocus(wl_listener*, void*) {
    const weston_keyboard* keyboard = weston_seat_get_keyboard(&seat);
    weston_desktop_surface* window =
        keyboard && keyboard->focus ? weston_surface_get_desktop_surface(keyboard->focus) : nullptr;
    const char* title = window ? weston_desktop_surface_get_title(window) : nullptr;
    const std::string next = focusPath + ".new";
    if (FILE* f = std::fopen(next.c_str(), "w")) {
        std::fputs(title ? title : "", f);
        if (std::fclose(f) == 0)
            std::rename(next.c_str(), focusPath.c_str());
    }
}

static int readKeys(int fd, uint32_t, void*) {
    unsigned char codes[64];
    timespec now;
    for (ssize_t n; (n = read(fd, codes, sizeof codes)) > 0;)
        for (ssize_t i = 0; i < n && clock_gettime(CLOCK_MONOTONIC, &now) == 0; ++i)
            notify_key(&seat, &now, codes[i] & 127u,
                       codes[i] & 128u ? WL_KEYBOARD_KEY_STATE_RELEASED
                                       : WL_KEYBOARD_KEY_STATE_PRESSED,
                       0);
    return 0;
}

extern "C" WL_EXPORT int wet_module_init(weston_compositor* compositor, int*, char**) {
    const char* path = getenv("TARVENPAD_WESTON_KEYS");
    // Opened for writing too, so that no writer closing it ever reads as its end.
    const int fd = path && mkfifo(path, 0600) == 0 ? open(path, O_RDWR | O_NONBLOCK) : -1;
    if (fd < 0)
        return -1;
    weston_seat_init(&seat, compositor, "keyboard");
    weston_seat_init_keyboard(&seat, nullptr);
    focusPath = std::string(path) + ".focus";
    focusListener.notify = keepFocus;
    wl_signal_add(&weston_seat_get_keyboard(&seat)->focus_signal, &focusListener);
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), fd, WL_EVENT_READABLE,
                         readKeys, nullptr);
    return 0;
}
