#include "checker/options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

const char* const usageText =
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
    "64 a wrong command line, 73 the preview could not be written.\n";

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

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    std::vector<std::string> folders;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takesValue = arg == "--preview" || arg == "--pointer";
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            folders.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        } else if (takesValue && i + 1 == args.size()) {
            error = arg + " needs a value";
            return false;
        } else if (arg == "--preview") {
            options.previewPath = args[++i];
            if (options.previewPath.empty()) {
                error = "--preview needs a file name";
                return false;
            }
        } else if (arg == "--pointer") {
            POINT point;
            if (!parsePoint(args[++i], point)) {
                error = "--pointer takes X,Y in whole pixels, such as 40,-12";
                return false;
            }
            options.pointer = point;
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (folders.size() != 1 || folders[0].empty()) {
        error = folders.size() > 1 ? "give exactly one skin folder" : "no skin folder given";
        return false;
    }
    if (options.pointer && options.previewPath.empty()) {
        error = "--pointer places the pointer of a --preview";
        return false;
    }
    options.folder = folders[0];
    return true;
}
