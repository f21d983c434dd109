// The Debian package as a user meets it: made by CPack from the install rules,
// passed by Debian's own checkers, installed by dpkg into a fresh root, started
// from its menu entry, and removed again without a trace outside the user's folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <allegro.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "e2e/support/desktop.h"
#include "e2e/support/process.h"
#include "support/fixtures.h"

namespace fs = std::filesystem;

namespace {

// The first match's group in a file, or "".
std::string find(const std::string& path, const std::string& pattern)
{
    std::smatch found;
    std::string text = readFile(path);
    return std::regex_search(text, found, std::regex(pattern)) ? found[1].str() : "";
}

// What a command printed (both streams) and whether it succeeded.
struct Output {
    bool ok;
    std::string text;
};
Output capture(const std::string& command)
{
    bool ok = shell(command + " >captured 2>&1") == 0;
    return {ok, readFile("captured")};
}

// A PNG's width and height as its header states them.
std::pair<int, int> pngSize(const std::string& path)
{
    std::string bytes = readFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto number = [&](size_t at) {
        return (uint8_t(bytes[at]) << 24) | (uint8_t(bytes[at + 1]) << 16) | (uint8_t(bytes[at + 2]) << 8) |
               uint8_t(bytes[at + 3]);
    };
    return {int(number(16)), int(number(20))};
}

// What is left under a root besides dpkg's own records.
std::vector<std::string> leftUnder(const std::string& root)
{
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string path = entry.path().string().substr(root.size());
        if (path != "/var" && path != "/var/lib" && path.rfind("/var/lib/dpkg", 0) != 0)
            left.push_back(path);
    }
    return left;
}

// The top of the default face, above the eyes, where the mask keeps it: 0x00RRGGBB
// per pixel, or ~0 where the window is cut away.
std::vector<uint32_t> defaultFaceTop(int rows)
{
    BITMAP* face = load_bmp(GLIMORA_SOURCE_DIR "/skins/main.bmp", nullptr);
    BITMAP* mask = load_bmp(GLIMORA_SOURCE_DIR "/skins/mask.bmp", nullptr);
    std::vector<uint32_t> top;
    for (int y = 0; face && mask && y < rows; ++y)
        for (int x = 0; x < face->w; ++x) {
            int depth = bitmap_color_depth(face), c = getpixel(face, x, y);
            bool shown = getpixel(mask, x, y) == makecol_depth(bitmap_color_depth(mask), 0, 0, 0);
            top.push_back(shown ? uint32_t(getr_depth(depth, c) << 16 | getg_depth(depth, c) << 8 | getb_depth(depth, c))
                                : ~0u);
        }
    destroy_bitmap(face);
    destroy_bitmap(mask);
    return top;
}

class Package : public testing::Test {
protected:
    void SetUp() override
    {
        if (getuid() != 0)
            GTEST_SKIP() << "dpkg installs into a root of its own only for root";
        ASSERT_TRUE(desktop.ready());
        ASSERT_TRUE(capture("cpack -G DEB --config " GLIMORA_BINARY_DIR "/CPackConfig.cmake -B out").ok)
            << readFile("captured");
        deb = work.path() + "/out/glimora_" GLIMORA_VERSION "_amd64.deb";
        ASSERT_TRUE(fs::exists(deb)) << "no package named by the version";
        for (const char* folder : {"/var/lib/dpkg/info", "/var/lib/dpkg/updates"})
            makeDirs(root + folder);
        writeFile(root + "/var/lib/dpkg/status", "");
    }
    // dpkg on the fresh root, whose libraries it cannot see: those are the host's.
    bool dpkg(const std::string& arguments)
    {
        return capture("dpkg --root=" + root + " --log=/dev/null --force-depends " + arguments).ok;
    }
    // Starts what the menu entry names, as a desktop would, and waits for the face.
    Window launch(const std::string& command)
    {
        program = std::make_unique<Child>(std::vector<std::string>{"/bin/sh", "-c", root + command}, work.path(),
                                          std::vector<std::string>{"DISPLAY=" + desktop.name(), "HOME=" + home,
                                                                   "XDG_DATA_HOME=", "XDG_CONFIG_HOME=" + home});
        return desktop.waitForWindow("eyes");
    }

    TempWorkdir work;
    const std::string root = work.path() + "/root";
    const std::string home = work.path() + "/home";
    const std::string userFolder = home + "/.local/share/glimora";
    std::string deb;
    Desktop desktop{false};
    std::unique_ptr<Child> program;
};

TEST_F(Package, PassesDebiansCheckers)
{
    // Informational tags too, where lintian tells of missing hardening.
    Output lint = capture("lintian --display-info --fail-on error,warning " + deb);
    EXPECT_TRUE(lint.ok) << lint.text;
    for (const char* shown : {"E: ", "W: ", "hardening-"})
        EXPECT_EQ(lint.text.find(shown), std::string::npos) << shown << " in\n" << lint.text;
    // Its dependencies are the libraries the programs are linked with, found by dpkg-shlibdeps.
    Output control = capture("dpkg-deb --field " + deb + " Version Depends");
    EXPECT_NE(control.text.find("Version: " GLIMORA_VERSION "\n"), std::string::npos) << control.text;
    for (const char* library : {"liballegro4.4", "libgtk-3-0", "zlib1g", "libc6"})
        EXPECT_NE(control.text.find(library), std::string::npos) << control.text;

    ASSERT_TRUE(dpkg("--install " + deb)) << readFile("captured");
    // Built as Debian builds its packages. Two checks no program here can pass: the
    // C library's start files carry no control-flow (CET) marks (Debian 12 and 13),
    // and a newer hardening-check asks x86-64 programs for ARM's branch protection.
    std::string outOfReach = "--nocfprotection";
    if (capture("hardening-check --help").text.find("--nobranchprotection") != std::string::npos)
        outOfReach += " --nobranchprotection";
    Output hardened = capture("hardening-check " + outOfReach + " " + root + "/usr/bin/glimora " + root +
                              "/usr/bin/glimora-check");
    EXPECT_TRUE(hardened.ok) << hardened.text;
    Output appstream = capture("appstreamcli validate --no-net " + root + "/usr/share/metainfo/*.xml");
    EXPECT_TRUE(appstream.ok && appstream.text.find("W:") == std::string::npos) << appstream.text;
    Output entry = capture("desktop-file-validate " + root + "/usr/share/applications/*.desktop");
    EXPECT_TRUE(entry.ok && entry.text.empty()) << entry.text;
}

TEST_F(Package, InstallsWhereItsDataSaysStartsAndLeavesOnlyTheUsersFolder)
{
    ASSERT_TRUE(dpkg("--install " + deb)) << readFile("captured");

    // Everything the software centre's data names is where it says.
    const std::string metainfo = root + "/usr/share/metainfo/org.glimora.Glimora.metainfo.xml";
    ASSERT_EQ(find(metainfo, "<id>([^<]*)</id>"), "org.glimora.Glimora");
    EXPECT_EQ(find(metainfo, "<release version=\"([^\"]*)\""), GLIMORA_VERSION) << "newest release";
    std::string desktopFile = root + "/usr/share/applications/" + find(metainfo, "desktop-id\">([^<]*)<");
    ASSERT_TRUE(fs::exists(desktopFile));
    std::string icon = find(desktopFile, "\nIcon=([^\n]*)");
    EXPECT_EQ(icon, "org.glimora.Glimora");
    for (int size : {16, 32, 48, 64, 128, 256}) {
        std::string edge = std::to_string(size);
        std::pair<int, int> shown = pngSize(root + "/usr/share/icons/hicolor/" + edge + "x" + edge + "/apps/" + icon + ".png");
        EXPECT_EQ(shown, std::make_pair(size, size)) << edge;
    }
    std::string text = readFile(metainfo);
    std::smatch binary;
    for (auto at = text.cbegin(); std::regex_search(at, text.cend(), binary, std::regex("<binary>([^<]*)<"));
         at = binary[0].second)
        EXPECT_EQ(access((root + "/usr/bin/" + binary[1].str()).c_str(), X_OK), 0) << binary[1];
    EXPECT_NE(readFile(root + "/usr/share/doc/glimora/copyright").find("\nLicense: Expat\n"), std::string::npos);
    EXPECT_EQ(find(metainfo, "<project_license>([^<]*)<"), "MIT");
    EXPECT_NE(capture("zcat " + root + "/usr/share/doc/glimora/changelog.gz").text.find("(" GLIMORA_VERSION ")"),
              std::string::npos);

    // Every language's catalogue, its lines in the menu entry and its software-centre texts.
    std::istringstream languages(readFile(GLIMORA_SOURCE_DIR "/po/LINGUAS"));
    const std::string entry = readFile(desktopFile);
    for (std::string language; std::getline(languages, language);) {
        EXPECT_TRUE(fs::exists(root + "/usr/share/locale/" + language + "/LC_MESSAGES/glimora.mo")) << language;
        for (const char* key : {"GenericName", "Comment", "Keywords"})
            EXPECT_NE(entry.find(std::string("\n") + key + "[" + language + "]="), std::string::npos) << key << language;
        EXPECT_NE(text.find("<summary xml:lang=\"" + language + "\">"), std::string::npos) << language;
    }
    // The installed program finds them beside itself.
    EXPECT_EQ(capture("LANG=de_DE.UTF-8 " + root + "/usr/bin/glimora --help").text.substr(0, 8), "Aufruf: ");

    // The menu entry's command starts the default face, from the user's own folder.
    makeDirs(userFolder);
    writeFile(userFolder + "/eyes.ini", "[global]\nx=300\ny=300\n");
    Window window = launch(find(desktopFile, "\nExec=([^\n]*)"));
    ASSERT_NE(window, 0u);
    const int rows = 70;
    const std::vector<uint32_t> top = defaultFaceTop(rows);
    std::vector<uint32_t> seen;
    bool shown = eventually([&] {
        seen = desktop.pixels({200, 195, 200, rows});
        for (size_t i = 0; i < top.size(); ++i)
            if (top[i] != ~0u && seen[i] != top[i])
                return false;
        return seen.size() == top.size();
    });
    EXPECT_TRUE(shown) << "the default face's top is not on the screen at (200, 195): window " << desktop.frame(window);
    desktop.focus(window);
    desktop.run("xdotool key Escape");
    EXPECT_EQ(program->wait(5000), 0);
    EXPECT_TRUE(fs::exists(userFolder + "/skins/owl/main.bmp"));

    ASSERT_TRUE(dpkg("--purge glimora")) << readFile("captured");
    EXPECT_EQ(leftUnder(root), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(userFolder + "/eyes.ini"));
    EXPECT_TRUE(fs::exists(userFolder + "/skins/main.bmp"));
}

}  // namespace
