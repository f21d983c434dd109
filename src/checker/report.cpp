#include "checker/report.h"

#include "os/translation.h"

namespace {

void printEye(std::ostream& out, int i, const EyeFinding& eye)
{
    const RECT& b = eye.bounds;
    auto number = [](long n) { return std::to_string(n); };
    out << "  "
        // Translators: the eye's number; its marker's x and y; its bounds' left, top, right and bottom;
        // its width and height; the pupil's file, or "built-in oval"; the pupil's width and height
        << translateWith("eye %s: marker (%s, %s), bounds (%s, %s, %s, %s), size %s x %s, pupil %s (%s x %s)",
                         {number(i + 1), number(eye.marker.x), number(eye.marker.y), number(b.left), number(b.top),
                          number(b.right), number(b.bottom), number(b.right - b.left), number(b.bottom - b.top),
                          eye.pupilFile, number(eye.pupilWidth), number(eye.pupilHeight)})
        << "\n";
}

}  // namespace

void printFindings(std::ostream& out, const std::string& folder, const Findings& findings)
{
    const std::string mask = findings.maskUsed ? "mask.bmp"
                             : findings.alpha  ? translate("none, the picture's alpha shapes the window")
                                               : translate("none, the window is the whole picture");
    const std::string background = findings.backgroundUsed ? "eyebg.bmp" : translate("none, a plain colour");
    // Translators: the skin's folder as it was given
    out << translateWith("Skin: %s", {folder}) << "\n"
        // Translators: the picture's width and height in pixels
        << translateWith("Picture: main.bmp, %s x %s", {std::to_string(findings.width), std::to_string(findings.height)})
        << "\n";
    if (findings.alpha)
        out << translate("Alpha: yes, soft edges where the desktop blends") << "\n";
    // Translators: mask.bmp, or one of the texts that start with "none,"
    out << translateWith("Mask: %s", {mask}) << "\n"
        // Translators: eyebg.bmp, or "none, a plain colour"
        << translateWith("Eye background: %s", {background}) << "\n"
        // Translators: the number of eyes found, a list of them follows
        << translateWith("Eyes: %s", {std::to_string(findings.eyes.size())}) << "\n";
    for (size_t i = 0; i < findings.eyes.size(); ++i)
        printEye(out, static_cast<int>(i), findings.eyes[i]);
    if (findings.warnings.empty()) {
        out << translate("No warnings.") << "\n";
        return;
    }
    // Translators: the number of warnings, a list of them follows
    out << translateWith("Warnings: %s", {std::to_string(findings.warnings.size())}) << "\n";
    for (const Warning& warning : findings.warnings)
        out << "  - " << warning.text << "\n";
}
