// The program itself: without a display it says so; headless it writes the
// pictures of its windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include <QImage>

namespace {

struct Outcome {
    int status;
    std::string output;
};

Outcome run(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, ""};
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(Program, WithoutADisplaySaysHowToRunHeadless) {
    const Outcome o = run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " TAVRIN_BINARY " --click pushbutton1");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.output, "tavrin: no display found (DISPLAY is not set); run with --headless to use tavrin without windows\n");
}

TEST(Program, AWindowSystemThatRefusesToStartEndsWithOneLineNotAnAbort) {
    const Outcome o = run("env QT_QPA_PLATFORM=no-such-platform " TAVRIN_BINARY " --click pushbutton1");
    EXPECT_EQ(o.status, 1) << o.output;
    EXPECT_EQ(o.output.rfind("tavrin: the window system could not start (", 0), 0u) << o.output;
    EXPECT_NE(o.output.find("run with --headless"), std::string::npos) << o.output;
    EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << o.output;
}

TEST(Program, AWindowThatRefusesToCloseDoesNotOutlastTheTimeLimit) {
    // `timeout` ends a program that ignores the limit, failing the test.
    const Outcome o = run("env QT_QPA_PLATFORM=offscreen timeout 30 " TAVRIN_BINARY
                          " --max-seconds 1 --eval \"set(gcf,'CloseRequestFcn','disp(''refusing'')')\"");
    EXPECT_EQ(o.status, 3) << o.output;
    EXPECT_NE(o.output.find("refusing\n"), std::string::npos) << o.output;
    EXPECT_NE(o.output.find("tavrin: the time limit of 1 seconds (--max-seconds) ran out"), std::string::npos)
        << o.output;
}

TEST(Program, HeadlessDemoSavesItsWindows) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "program_test_figures";
    std::filesystem::remove_all(dir);
    const Outcome o = run("env -u DISPLAY -u QT_QPA_PLATFORM " TAVRIN_BINARY
                          " --headless --set radiobutton1=0 --set alpha_sl=0.3 --set gamma_sl=0.95"
                          " --set reinf_sl=-1 --click pushbutton1 --eval \"get(get(gca,'title'),'string')\""
                          " --save-figures " + dir.string());
    EXPECT_EQ(o.status, 0) << o.output;
    EXPECT_NE(o.output.find("ans = 'Success at "), std::string::npos) << o.output;
    for (const char* name : {"figure-1.png", "figure-2.png", "figure-3.png"}) {
        EXPECT_FALSE(QImage(QString::fromStdString((dir / name).string())).isNull()) << name;
    }
    EXPECT_EQ(QImage(QString::fromStdString((dir / "figure-2.png").string())).size(), QSize(500, 200));
    std::filesystem::remove_all(dir);
}

}  // namespace
