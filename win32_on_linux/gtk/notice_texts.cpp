#include "gtk/notice_texts.h"

namespace notice_texts {

using pointer_choice::Helper;

const char* const title = "Glimora's eyes cannot follow the pointer everywhere";
const char* const turnOn = "Turn on";

bool isOff(const ExtensionReport& report)
{
    return report.state == 2 || report.state == 6;
}

const char* forHelper(Helper helper)
{
    switch (helper) {
    case Helper::GnomeExtension:
        return "On this GNOME Wayland session Glimora sees the pointer only while it is over windows of X11 "
               "programs; elsewhere its eyes keep looking where they last saw it. To let them follow the "
               "pointer everywhere, turn on its GNOME Shell extension:\n"
               "    gnome-extensions enable pointer@glimora.org\n"
               "It takes effect at your next log-in.";
    case Helper::KwinScript:
        return "On this KDE Wayland session Glimora could not load its KWin script, so it sees the pointer "
               "only while it is over windows of X11 programs; elsewhere its eyes keep looking where they "
               "last saw it.";
    default:
        return "On this Wayland desktop no program may learn where the pointer is, so Glimora sees it only "
               "while it is over windows of X11 programs; elsewhere its eyes keep looking where they last "
               "saw it. On an X11 session, on GNOME and on KDE they follow it everywhere.";
    }
}

std::string forGnome(const ExtensionReport& report)
{
    const std::string seesLittle =
        "On this GNOME Wayland session Glimora sees the pointer only while it is over windows of X11 programs; "
        "elsewhere its eyes keep looking where they last saw it. ";
    if (isOff(report))
        return seesLittle + "Its GNOME Shell extension is off. Turn it on:\n"
                            "    gnome-extensions enable pointer@glimora.org";
    switch (report.state) {
    case 3:
        return seesLittle + "Its GNOME Shell extension failed to start (" + report.error +
               "). It was made for another version of GNOME: install Glimora built for GNOME " +
               std::to_string(report.shellMajor) + ", then log out and in again.";
    case 4:
        // Past the list the extension may well run; the 43-44 entry never loads from 45 on.
        if (report.shellMajor > report.newestListed && report.newestListed > 0 &&
            (report.newestListed >= 45 || report.shellMajor < 45))
            return seesLittle + "Its GNOME Shell extension is out of date: it lists GNOME up to " +
                   std::to_string(report.newestListed) + ", and this is GNOME " + std::to_string(report.shellMajor) +
                   ". Update Glimora, or let GNOME run extensions not yet marked for its version:\n"
                   "    gsettings set org.gnome.shell disable-extension-version-validation true\n"
                   "That applies to every extension you have, and takes effect at your next log-in.";
        return seesLittle + "Its GNOME Shell extension is out of date: it does not list GNOME " +
               std::to_string(report.shellMajor) + ". Install Glimora built for this version of GNOME.";
    default:
        return forHelper(Helper::GnomeExtension);
    }
}

}  // namespace notice_texts
