#include "checker/report.h"

#include "os/translation.h"

namespace {

void printEye(std::ostream& out, int i, const EyeFinding& eye)
{
    const RECT& b = eye.bounds;
    auto number = [](long n) { return std::to_string(n); };
    out << "  "
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
    out << translateWith("Skin: %s", {folder}) << "\n"
        << translateWith("Picture: main.bmp, %s x %s", {std::to_string(findings.width), std::to_string(findings.height)})
        << "\n";
    if (findings.alpha)
        out << translate("Alpha: yes, soft edges where the desktop blends") << "\n";
    out << translateWith("Mask: %s", {mask}) << "\n"
        << translateWith("Eye background: %s", {background}) << "\n"
        << translateWith("Eyes: %s", {std::to_string(findings.eyes.size())}) << "\n";
    for (size_t i = 0; i < findings.eyes.size(); ++i)
        printEye(out, static_cast<int>(i), findings.eyes[i]);
    if (findings.warnings.empty()) {
        out << translate("No warnings.") << "\n";
        return;
    }
    out << translateWith("Warnings: %s", {std::to_string(findings.warnings.size())}) << "\n";
    for (const Warning& warning : findings.warnings)
        out << "  - " << warning.text << "\n";
}
