#include "wayland_pointer/notice_texts.h"

#include "os/translation.h"

namespace notice_texts {

using pointer_choice::Helper;

namespace {

// Commands are given as values, so that no translation can change them.
const char enableCommand[] = "gnome-extensions enable pointer@glimora.org";
const char validationCommand[] = "gsettings set org.gnome.shell disable-extension-version-validation true";

}  // namespace

const char* title()
{
    return translate("Glimora's eyes cannot follow the pointer everywhere");
}

const char* turnOn()
{
    return translate("Turn on");
}

bool isOff(const ExtensionReport& report)
{
    return report.state == 2 || report.state == 6;
}

std::string forHelper(Helper helper)
{
    switch (helper) {
    case Helper::GnomeExtension:
        return translateWith("On this GNOME Wayland session Glimora sees the pointer only while it is over windows "
                             "of X11 programs; elsewhere its eyes keep looking where they last saw it. To let them "
                             "follow the pointer everywhere, turn on its GNOME Shell extension:\n"
                             "    %s\n"
                             "It takes effect at your next log-in.",
                             {enableCommand});
    case Helper::KwinScript:
        return translate("On this KDE Wayland session Glimora could not load its KWin script, so it sees the "
                         "pointer only while it is over windows of X11 programs; elsewhere its eyes keep looking "
                         "where they last saw it.");
    default:
        return translate("On this Wayland desktop no program may learn where the pointer is, so Glimora sees it "
                         "only while it is over windows of X11 programs; elsewhere its eyes keep looking where they "
                         "last saw it. On an X11 session, on GNOME and on KDE they follow it everywhere.");
    }
}

std::string forGnome(const ExtensionReport& report)
{
    const std::string seesLittle =
        translate("On this GNOME Wayland session Glimora sees the pointer only while it is over windows of X11 "
                  "programs; elsewhere its eyes keep looking where they last saw it.");
    const std::string shell = std::to_string(report.shellMajor);
    if (isOff(report))
        return seesLittle + " " + translateWith("Its GNOME Shell extension is off. Turn it on:\n    %s", {enableCommand});
    switch (report.state) {
    case 3:
        return seesLittle + " " +
               translateWith("Its GNOME Shell extension failed to start (%s). It was made for another version of "
                             "GNOME: install Glimora built for GNOME %s, then log out and in again.",
                             {report.error, shell});
    case 4:
        // Past the list the extension may well run; the 43-44 entry never loads from 45 on.
        if (report.shellMajor > report.newestListed && report.newestListed > 0 &&
            (report.newestListed >= 45 || report.shellMajor < 45))
            return seesLittle + " " +
                   translateWith("Its GNOME Shell extension is out of date: it lists GNOME up to %s, and this is "
                                 "GNOME %s. Update Glimora, or let GNOME run extensions not yet marked for its "
                                 "version:\n"
                                 "    %s\n"
                                 "That applies to every extension you have, and takes effect at your next log-in.",
                                 {std::to_string(report.newestListed), shell, validationCommand});
        return seesLittle + " " +
               translateWith("Its GNOME Shell extension is out of date: it does not list GNOME %s. Install Glimora "
                             "built for this version of GNOME.",
                             {shell});
    default:
        return forHelper(Helper::GnomeExtension);
    }
}

}  // namespace notice_texts
