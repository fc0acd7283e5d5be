#include "app/KeyLocks.h"

#include <QGuiApplication>

#ifdef SONIVEL_HAVE_X11
#include <X11/XKBlib.h>
#endif

SKeyLocks ReadKeyLocks()
{
    SKeyLocks locks;
#ifdef SONIVEL_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return locks;
    // One connection of our own, opened on first use and kept for the process.
    static Display* const display = XOpenDisplay(nullptr);
    if (!display)
        return locks;
    const auto lit = [](const char* name, bool* on) {
        Bool state = False;
        const Atom atom = XInternAtom(display, name, True);
        if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr))
            return false;
        *on = (state == True);
        return true;
    };
    locks.known = lit("Caps Lock", &locks.caps);
    locks.known = lit("Num Lock", &locks.num) && locks.known;
    lit("Scroll Lock", &locks.scroll);
#endif
    return locks;
}
