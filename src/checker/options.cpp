#include "checker/options.h"

#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "os/translation.h"

const char* usageText()
{
    return translate(
        "Usage: glimora-check [--preview OUT.png [--pointer X,Y]] SKIN_FOLDER\n"
        "\n"
        "Loads the skin in SKIN_FOLDER as the program does, lists the eyes it finds\n"
        "and the files it uses, and warns about what will make the skin look wrong.\n"
        "\n"
        "  --preview OUT.png  also paint one frame as the program would, into a PNG file\n"
        "  --pointer X,Y      the mouse pointer for that frame, in pixels from the\n"
        "                     picture's top-left corner (default: its centre)\n"
        "  --help             show this text\n"
        "\n"
        "Exit status: 0 no warnings, 1 warnings, 2 the skin cannot be loaded,\n"
        "64 a wrong command line, 73 the preview could not be written.\n");
}

namespace {

bool parseCoordinate(const std::string& text, LONG& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<LONG>(parsed);
    return true;
}

bool parsePoint(const std::string& text, POINT& point)
{
    size_t comma = text.find(',');
    return comma != std::string::npos && parseCoordinate(text.substr(0, comma), point.x) &&
           parseCoordinate(text.substr(comma + 1), point.y);
}

// args as getopt_long wants them: a writable, null-terminated argv after a program name.
struct Argv {
    explicit Argv(const std::vector<std::string>& args) : strings(args)
    {
        strings.insert(strings.begin(), "glimora-check");
        for (std::string& arg : strings)
            pointers.push_back(&arg[0]);
        pointers.push_back(nullptr);
    }
    int count() const { return static_cast<int>(strings.size()); }
    std::vector<std::string> strings;
    std::vector<char*> pointers;
};

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    enum { preview = 'p', pointer = 'x', help = 'h' };
    static const option longOptions[] = {{"preview", required_argument, nullptr, preview},
                                         {"pointer", required_argument, nullptr, pointer},
                                         {"help", no_argument, nullptr, help},
                                         {nullptr, 0, nullptr, 0}};
    Argv argv(args);
    opterr = 0;  // the checker says what was wrong in its own words
    optind = 0;  // a fresh scan on every call
    for (int option; (option = getopt_long(argv.count(), argv.pointers.data(), ":h", longOptions, nullptr)) != -1;) {
        const std::string value = optarg ? optarg : "";
        switch (option) {
        case help:
            options.help = true;
            return true;
        case preview:
            if (value.empty())
                return error = translate("--preview needs a file name"), false;
            options.previewPath = value;
            break;
        case pointer: {
            POINT point;
            if (!parsePoint(value, point))
                return error = translate("--pointer takes X,Y in whole pixels, such as 40,-12"), false;
            options.pointer = point;
            break;
        }
        case ':':
            // Translators: the option as it was given
            return error = translateWith("%s needs a value", {argv.pointers[optind - 1]}), false;
        default:
            // Translators: the option as it was given
            return error = translateWith("unknown option %s", {argv.pointers[optind - 1]}), false;
        }
    }
    // getopt_long moved the operands after the options.
    const int folders = argv.count() - optind;
    if (folders != 1 || !*argv.pointers[optind]) {
        error = folders > 1 ? translate("give exactly one skin folder") : translate("no skin folder given");
        return false;
    }
    if (options.pointer && options.previewPath.empty()) {
        error = translate("--pointer places the pointer of a --preview");
        return false;
    }
    options.folder = argv.pointers[optind];
    return true;
}
