#include "app/command_line.h"

#include <cstring>

#include "os/console.h"
#include "os/translation.h"

namespace {

constexpr int usageError = 64;  // EX_USAGE

const char* usage()
{
    return translate(
        "Usage: glimora [--help | --version]\n"
        "\n"
        "Shows a face on the desktop whose eyes follow the mouse pointer. Drag it\n"
        "with the left mouse button; right-click it for the menu (always on top,\n"
        "run on start-up, skins, size, opacity, click-through, exit). Ctrl + mouse\n"
        "wheel over the face changes its size. Esc, with the face focused, quits\n"
        "the program. Its icon in the notification area brings the face into view\n"
        "on a left click and opens the same menu on a right click. Started again\n"
        "in the same folder, it brings the running face into view and ends.\n"
        "\n"
        "It works in the folder it is started in: it keeps its settings in eyes.ini\n"
        "there and reads the skins from the skins folder there.\n"
        "\n"
        "  --help     show this text\n"
        "  --version  show the version\n"
        "\n"
        "Exit status: 0 after a normal end (also at log-out), 64 a wrong command\n"
        "line, 255 when the skin cannot be loaded or no window can be shown.\n");
}

}  // namespace

bool handleCommandLine(int argc, char** argv, int* status)
{
    auto is = [](const char* arg, const char* option) { return std::strcmp(arg, option) == 0; };
    auto known = [&](const char* arg) { return is(arg, "--help") || is(arg, "-h") || is(arg, "--version"); };
    *status = 0;
    if (argc < 2)
        return true;
    const char* wrong = nullptr;
    for (int i = 1; i < argc && !wrong; ++i)
        if (!known(argv[i]))
            wrong = argv[i];
    if (!wrong && argc == 2) {
        writeToUser(UserStream::output, is(argv[1], "--version") ? "glimora " GLIMORA_VERSION "\n" : usage());
        return false;
    }
    *status = usageError;
    const std::string problem =
        !wrong            ? translate("give one option at most; try 'glimora --help'")
        // Translators: the option as it was given
        : wrong[0] == '-' ? translateWith("unknown option '%s'; try 'glimora --help'", {wrong})
                          // Translators: the argument as it was given
                          : translateWith("unexpected argument '%s'; try 'glimora --help'", {wrong});
    writeToUser(UserStream::error, "glimora: " + problem + "\n");
    return false;
}
