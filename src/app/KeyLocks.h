#pragma once

// The keyboard's lock states, where the window system tells them.
struct SKeyLocks {
    bool known = false;   // false: the states cannot be read here
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Reads the lock states (X11 keyboard indicators; unknown elsewhere).
SKeyLocks ReadKeyLocks();
