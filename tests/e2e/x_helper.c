/* A tiny X client for the tests of the real program.
 *   x_helper close WINDOW   asks the window to close (WM_DELETE_WINDOW)
 *   x_helper window TITLE   makes a never-mapped, unowned top-level window
 *                           titled TITLE, prints its id and keeps it until
 *                           its standard input closes */
#include <xcb/xcb.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static xcb_atom_t intern(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return atom;
}

static int close_window(xcb_connection_t *c, xcb_window_t window)
{
    xcb_client_message_event_t event;
    memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = intern(c, "WM_PROTOCOLS");
    event.data.data32[0] = intern(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, (const char *)&event);
    /* A round trip: disconnecting at once can lose the event. */
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
    return 0;
}

static int hold_window(xcb_connection_t *c, const char *title)
{
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, NULL);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        (uint32_t)strlen(title), title);
    xcb_flush(c);
    printf("%u\n", window);
    fflush(stdout);
    char buffer[64];
    while (read(0, buffer, sizeof buffer) > 0) {
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: x_helper close WINDOW | x_helper window TITLE\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "x_helper: cannot open the display\n");
        return 1;
    }
    int status = 2;
    if (strcmp(argv[1], "close") == 0)
        status = close_window(c, (xcb_window_t)strtoul(argv[2], NULL, 0));
    else if (strcmp(argv[1], "window") == 0)
        status = hold_window(c, argv[2]);
    xcb_disconnect(c);
    return status;
}
