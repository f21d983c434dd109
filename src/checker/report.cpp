#include "checker/report.h"

namespace {

void printEye(std::ostream& out, int i, const EyeFinding& eye)
{
    const RECT& b = eye.bounds;
    out << "  eye " << i + 1 << ": marker (" << eye.marker.x << ", " << eye.marker.y << "), bounds (" << b.left
        << ", " << b.top << ", " << b.right << ", " << b.bottom << "), size " << b.right - b.left << " x "
        << b.bottom - b.top << ", pupil " << eye.pupilFile << " (" << eye.pupilWidth << " x " << eye.pupilHeight
        << ")\n";
}

}  // namespace

void printFindings(std::ostream& out, const std::string& folder, const Findings& findings)
{
    out << "Skin: " << folder << "\n"
        << "Picture: main.bmp, " << findings.width << " x " << findings.height << "\n"
        << (findings.alpha ? "Alpha: yes, soft edges where the desktop blends\n" : "")
        << "Mask: "
        << (findings.maskUsed ? "mask.bmp"
            : findings.alpha  ? "none, the picture's alpha shapes the window"
                              : "none, the window is the whole picture")
        << "\n"
        << "Eye background: " << (findings.backgroundUsed ? "eyebg.bmp" : "none, a plain colour") << "\n"
        << "Eyes: " << findings.eyes.size() << "\n";
    for (size_t i = 0; i < findings.eyes.size(); ++i)
        printEye(out, static_cast<int>(i), findings.eyes[i]);
    if (findings.warnings.empty()) {
        out << "No warnings.\n";
        return;
    }
    out << "Warnings: " << findings.warnings.size() << "\n";
    for (const Warning& warning : findings.warnings)
        out << "  - " << warning.text << "\n";
}
