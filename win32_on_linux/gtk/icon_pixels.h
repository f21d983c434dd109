// The program's icon as pixels, for GTK's status icon.
#pragma once

#include <gtk/gtk.h>

// The icon theme's PNG of the name nearest this size, read with libpng rather
// than GDK's loaders: on newer releases those run glycin, whose thread then
// wakes twice a second for as long as the program runs. Null when there is none.
GdkPixbuf* loadIconPixels(const char* iconName, int size);
