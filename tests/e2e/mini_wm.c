/* A window manager of the least kind, for the tests in a virtual X server:
 * windows keep the size they ask for, the newest gets the focus, and
 * _NET_WM_STATE_FULLSCREEN puts a window over the whole screen and back. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <stdio.h>

enum { MAX_FENSTER = 64 };

static struct {
    Window w;
    int x, y;
    unsigned b, h;
} g_gemerkt[MAX_FENSTER];

static int fehler_uebergehen(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0; /* windows may be gone by the time they are handled */
}

static void vollbild(Display* d, Window w, int an, Atom zustand, Atom voll) {
    int frei = -1, i;
    for (i = 0; i < MAX_FENSTER; ++i) {
        if (g_gemerkt[i].w == w) break;
        if (frei < 0 && g_gemerkt[i].w == 0) frei = i;
    }
    if (an) {
        XWindowAttributes a;
        if (i == MAX_FENSTER) i = frei;
        if (i < 0 || !XGetWindowAttributes(d, w, &a)) return;
        g_gemerkt[i].w = w;
        g_gemerkt[i].x = a.x;
        g_gemerkt[i].y = a.y;
        g_gemerkt[i].b = (unsigned)a.width;
        g_gemerkt[i].h = (unsigned)a.height;
        XMoveResizeWindow(d, w, 0, 0, (unsigned)DisplayWidth(d, DefaultScreen(d)),
                          (unsigned)DisplayHeight(d, DefaultScreen(d)));
        XChangeProperty(d, w, zustand, XA_ATOM, 32, PropModeReplace, (unsigned char*)&voll, 1);
    } else {
        if (i < MAX_FENSTER) {
            XMoveResizeWindow(d, w, g_gemerkt[i].x, g_gemerkt[i].y, g_gemerkt[i].b, g_gemerkt[i].h);
            g_gemerkt[i].w = 0;
        }
        XChangeProperty(d, w, zustand, XA_ATOM, 32, PropModeReplace, NULL, 0);
    }
}

static int ist_vollbild(Display* d, Window w, Atom zustand, Atom voll) {
    Atom typ;
    int format, ja = 0;
    unsigned long n = 0, rest = 0, i;
    unsigned char* daten = NULL;
    if (XGetWindowProperty(d, w, zustand, 0, 32, False, XA_ATOM, &typ, &format, &n, &rest, &daten) == Success &&
        daten != NULL) {
        for (i = 0; i < n; ++i) ja = ja || ((Atom*)daten)[i] == voll;
        XFree(daten);
    }
    return ja;
}

int main(void) {
    Display* d = XOpenDisplay(NULL);
    Window wurzel, pruef;
    Atom unterstuetzt, zustand, voll, aktiv, pruef_atom, name, utf8;
    Atom liste[3];
    if (d == NULL) {
        fprintf(stderr, "mini_wm: no display\n");
        return 1;
    }
    XSetErrorHandler(fehler_uebergehen);
    wurzel = DefaultRootWindow(d);
    XSelectInput(d, wurzel, SubstructureRedirectMask | SubstructureNotifyMask);
    unterstuetzt = XInternAtom(d, "_NET_SUPPORTED", False);
    zustand = XInternAtom(d, "_NET_WM_STATE", False);
    voll = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
    aktiv = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    pruef_atom = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    name = XInternAtom(d, "_NET_WM_NAME", False);
    utf8 = XInternAtom(d, "UTF8_STRING", False);
    pruef = XCreateSimpleWindow(d, wurzel, -1, -1, 1, 1, 0, 0, 0);
    XChangeProperty(d, wurzel, pruef_atom, XA_WINDOW, 32, PropModeReplace, (unsigned char*)&pruef, 1);
    XChangeProperty(d, pruef, pruef_atom, XA_WINDOW, 32, PropModeReplace, (unsigned char*)&pruef, 1);
    XChangeProperty(d, pruef, name, utf8, 8, PropModeReplace, (const unsigned char*)"mini_wm", 7);
    liste[0] = zustand;
    liste[1] = voll;
    liste[2] = aktiv;
    XChangeProperty(d, wurzel, unterstuetzt, XA_ATOM, 32, PropModeReplace, (unsigned char*)liste, 3);
    XSync(d, False);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapRequest) {
            XMapRaised(d, e.xmaprequest.window);
            XSetInputFocus(d, e.xmaprequest.window, RevertToPointerRoot, CurrentTime);
        } else if (e.type == ConfigureRequest) {
            XWindowChanges c;
            c.x = e.xconfigurerequest.x;
            c.y = e.xconfigurerequest.y;
            c.width = e.xconfigurerequest.width;
            c.height = e.xconfigurerequest.height;
            c.border_width = e.xconfigurerequest.border_width;
            c.sibling = e.xconfigurerequest.above;
            c.stack_mode = e.xconfigurerequest.detail;
            XConfigureWindow(d, e.xconfigurerequest.window, (unsigned)e.xconfigurerequest.value_mask, &c);
        } else if (e.type == ClientMessage && e.xclient.message_type == zustand) {
            const long was = e.xclient.data.l[0];
            Window w = e.xclient.window;
            if ((Atom)e.xclient.data.l[1] == voll || (Atom)e.xclient.data.l[2] == voll) {
                const int jetzt = ist_vollbild(d, w, zustand, voll);
                vollbild(d, w, was == 2 ? !jetzt : was == 1, zustand, voll);
            }
        } else if (e.type == ClientMessage && e.xclient.message_type == aktiv) {
            XRaiseWindow(d, e.xclient.window);
            XSetInputFocus(d, e.xclient.window, RevertToPointerRoot, CurrentTime);
        }
        XFlush(d);
    }
}
