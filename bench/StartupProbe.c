/* Starts a program and reports how long it took until its window with the
 * given title was mapped, and what the program cost.
 *
 *   startup_probe TITLE SETTLE_MS PROGRAM [ARG...]
 *
 * prints "mapped_ms=... mapped_cpu_ms=... cpu_ms=... maxrss_kib=... exit=..." on
 * one line: the time from the start to the map by the clock and in the
 * program's processor time (all its threads; a busy machine disturbs it
 * less), the processor time of the whole run, the peak resident memory and
 * the exit code. Meant for a display without a window
 * manager, where the map is the program's own doing. Once the window is mapped
 * the program is given SETTLE_MS to paint and settle, then asked to close as
 * its close button would (WM_DELETE_WINDOW), and its resource usage is taken
 * when it has ended. */
#define _GNU_SOURCE
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double clock_ms(clockid_t clock)
{
    struct timespec t = {0, 0};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static double now_ms(void)
{
    return clock_ms(CLOCK_MONOTONIC);
}

static xcb_atom_t intern(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return atom;
}

static int has_title(xcb_connection_t *c, xcb_window_t window, const char *title)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), NULL);
    int same = 0;
    if (reply) {
        size_t length = (size_t)xcb_get_property_value_length(reply);
        same = length == strlen(title) && memcmp(xcb_get_property_value(reply), title, length) == 0;
    }
    free(reply);
    return same;
}

static int watch_maps(xcb_connection_t *c, xcb_window_t root)
{
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t *error =
        xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    free(error);
    return error == NULL;
}

/* The mapped window with the title, or 0 when the program ended first or
 * nothing came within the time allowed. */
static xcb_window_t wait_for_map(xcb_connection_t *c, pid_t pid, const char *title, double *mapped_at,
                                 double *mapped_cpu)
{
    clockid_t program_cpu = CLOCK_MONOTONIC;
    clock_getcpuclockid(pid, &program_cpu);
    const double deadline = now_ms() + 60000;
    struct pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (now_ms() < deadline) {
        xcb_generic_event_t *event;
        while ((event = xcb_poll_for_event(c)) != NULL) {
            const double at = now_ms();
            const double cpu = clock_ms(program_cpu);
            xcb_window_t window = 0;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                window = ((xcb_map_notify_event_t *)event)->window;
            free(event);
            if (window && has_title(c, window, title)) {
                *mapped_at = at;
                *mapped_cpu = cpu;
                return window;
            }
        }
        if (xcb_connection_has_error(c) || waitpid(pid, NULL, WNOHANG) != 0)
            return 0;
        poll(&fd, 1, 20);
    }
    return 0;
}

static void ask_to_close(xcb_connection_t *c, xcb_window_t window)
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
    xcb_flush(c);
}

/* Waits for the program to end, ending it after ten seconds. */
static int reap(pid_t pid, struct rusage *usage)
{
    const double deadline = now_ms() + 10000;
    int status = 0;
    while (wait4(pid, &status, WNOHANG, usage) == 0) {
        if (now_ms() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, usage);
            return -1;
        }
        usleep(2000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: startup_probe TITLE SETTLE_MS PROGRAM [ARG...]\n");
        return 2;
    }
    const char *title = argv[1];
    const long settle_ms = strtol(argv[2], NULL, 10);
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "startup_probe: cannot open the display\n");
        return 1;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (!watch_maps(c, root)) {
        fprintf(stderr, "startup_probe: cannot watch the screen\n");
        return 1;
    }

    const double started_at = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        /* Only the probe's own line goes to its output. */
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double mapped_at = 0;
    double mapped_cpu = 0;
    const xcb_window_t window = wait_for_map(c, pid, title, &mapped_at, &mapped_cpu);
    if (window) {
        usleep((useconds_t)settle_ms * 1000);
        ask_to_close(c, window);
    } else {
        kill(pid, SIGKILL);
    }
    struct rusage usage;
    memset(&usage, 0, sizeof usage);
    const int status = reap(pid, &usage);
    xcb_disconnect(c);
    if (!window) {
        fprintf(stderr, "startup_probe: no window titled \"%s\" was mapped\n", title);
        return 1;
    }
    const double cpu_ms = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                          + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    printf("mapped_ms=%.3f mapped_cpu_ms=%.3f cpu_ms=%.3f maxrss_kib=%ld exit=%d\n", mapped_at - started_at,
           mapped_cpu, cpu_ms, usage.ru_maxrss, status);
    return 0;
}
