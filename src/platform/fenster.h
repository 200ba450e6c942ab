// The game's one window as every backend keeps it: the registered window
// classes, the window with its procedure, and the quit that waits behind
// the queue. plat_register_class and plat_post_quit_message are defined
// here; the queue and what fills it are each backend's own.
#ifndef GLUBBERSHOOT_FENSTER_H
#define GLUBBERSHOOT_FENSTER_H

#include "platform/platform.h"

// The procedure registered for class_name, null for none.
WNDPROC plat_common_fenster_klasse(const char* class_name);
// Makes the window for proc and sends it WM_CREATE; null when the window
// refused to be made (-1). The caller checks first that there is none.
HWND plat_common_fenster_anlegen(WNDPROC proc);
// The window, null while there is none.
HWND plat_common_fenster(void);
// The message to the window's procedure; 0 when it is for no window or
// the window has been destroyed.
intptr_t plat_common_fenster_senden(const MSG* msg);
// The default procedure of a window system: an unhandled close destroys
// the window, which hears WM_DESTROY once. Returns 0.
intptr_t plat_common_fenster_standard(HWND hwnd, uint32_t uMsg);
// Like Windows, the quit comes once everything else is out: true, with
// WM_QUIT in *msg, when plat_post_quit_message left one.
bool plat_common_fenster_quit(MSG* msg);
// Forgets the classes, the window and the quit, so a process can start over.
void plat_common_fenster_vergessen(void);

#endif
