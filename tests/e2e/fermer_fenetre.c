/* Asks a window to close the way a window manager's close button does:
   a WM_DELETE_WINDOW client message. Usage: fermer_fenetre WINDOW_ID */
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s WINDOW_ID\n", argv[0]);
        return 2;
    }
    Display* connexion = XOpenDisplay(NULL);
    if (!connexion) {
        fprintf(stderr, "no display\n");
        return 1;
    }
    const Window fenetre = (Window)strtoul(argv[1], NULL, 0);
    XEvent evenement = {0};
    evenement.xclient.type = ClientMessage;
    evenement.xclient.window = fenetre;
    evenement.xclient.message_type = XInternAtom(connexion, "WM_PROTOCOLS", False);
    evenement.xclient.format = 32;
    evenement.xclient.data.l[0] = (long)XInternAtom(connexion, "WM_DELETE_WINDOW", False);
    evenement.xclient.data.l[1] = CurrentTime;
    XSendEvent(connexion, fenetre, False, NoEventMask, &evenement);
    XSync(connexion, False);
    XCloseDisplay(connexion);
    return 0;
}
