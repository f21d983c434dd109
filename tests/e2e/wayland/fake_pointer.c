/* Moves KWin's pointer through the org_kde_kwin_fake_input protocol: reads lines
 * "X Y" on stdin and puts the pointer there. One device serves every move: a
 * device per move would toggle the seat's pointer and clients would miss enters. */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client.h"

static struct org_kde_kwin_fake_input* fakeInput;

static void announced(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3)
        fakeInput = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3);
}

static void removed(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

int main(void)
{
    static const struct wl_registry_listener listener = {announced, removed};
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "fake_pointer: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!fakeInput) {
        fprintf(stderr, "fake_pointer: the compositor offers no fake input (v3) to this client\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "glimora tests", "moves the pointer");
    char line[128];
    double x, y;
    while (fgets(line, sizeof line, stdin))
        if (sscanf(line, "%lf %lf", &x, &y) == 2) {
            org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput, wl_fixed_from_double(x), wl_fixed_from_double(y));
            wl_display_roundtrip(display);
        }
    wl_display_disconnect(display);
    return 0;
}
