#include "checker/checker.h"

#include <filesystem>

#include "checker/findings.h"
#include "checker/options.h"
#include "checker/png_writer.h"
#include "checker/preview.h"
#include "checker/report.h"
#include "os/translation.h"
#include "skin/skin.h"

namespace {

int reportUnloadable(const std::string& folder, const BmpRefusal& refusal, std::ostream& err)
{
    std::error_code error;
    const std::string main = (std::filesystem::path(folder) / "main.bmp").string();
    const char* text = std::filesystem::exists(main, error)
                           // Translators: the main picture's file name, main.bmp
                           ? translate("%s cannot be read as a BMP picture; the program would not load this skin")
                           // Translators: the main picture's file name, main.bmp
                           : translate("%s is missing; the program would not load this skin");
    err << "glimora-check: " << fillIn(text, {main}) << "\n";
    if (refusal.fault != BmpFault::NoFault && refusal.fault != BmpFault::Missing)
        err << "glimora-check: " << explainRefusal(main, refusal) << "\n";
    return exitNotLoaded;
}

bool writePreview(Skin& skin, const Options& options, std::ostream& err)
{
    POINT pointer = options.pointer.value_or(POINT{skin.getWidth() / 2, skin.getHeight() / 2});
    Frame frame = paintFrame(skin, pointer);
    if (!frame.pixels.empty() && writePng(options.previewPath, frame.pixels.data(), frame.width, frame.height, frame.alpha))
        return true;
    // Translators: the preview's path as it was given
    err << "glimora-check: " << translateWith("cannot write the preview to %s", {options.previewPath}) << "\n";
    return false;
}

}  // namespace

int runChecker(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        err << "glimora-check: " << error << "\n" << usageText();
        return exitUsage;
    }
    if (options.help) {
        out << usageText();
        return exitClean;
    }
    const std::string& folder = options.folder;
    Skin skin;
    if (!skin.loadFolder(folder))
        return reportUnloadable(folder, skin.mainRefusal, err);
    const Findings findings = findProblems(folder, skin);
    printFindings(out, folder, findings);
    if (!options.previewPath.empty() && !writePreview(skin, options, err))
        return exitNoPreview;
    return findings.warnings.empty() ? exitClean : exitWarnings;
}
