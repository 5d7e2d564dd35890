// The Windows build's window as a user sees it: talvo.exe under Wine on an X server of its own
// (Xvfb), on a Wine desktop, so that Wine draws the frame and title. A screenshot of the screen is
// read back with OCR: the title bar, the menu bar and the console, each from its own strip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "child_process.h"
#include "support/e2e_job.h"

namespace {

using namespace std::chrono_literals;

// The text OCR reads in `image`'s strip `geometry` ("WxH+X+Y"), magnified 5 times and made black
// and white at `threshold` (the title bar's blue and the menu bar's grey need different ones).
std::string ReadStrip(const std::filesystem::path& image, const std::string& geometry,
                      const std::string& threshold = "50%") {
  const std::filesystem::path strip = image.parent_path() / ("strip-" + geometry + ".png");
  ChildProcess crop({"/usr/bin/convert", image.string(), "-crop", geometry, "-colorspace", "Gray",
                     "-resize", "500%", "-threshold", threshold, strip.string()});
  crop.Wait();
  const std::filesystem::path text = strip.string() + ".txt";
  ChildProcess ocr({"/usr/bin/tesseract", strip.string(), "-", "--psm", "6"},
                   {.stdout_file = text, .stderr_file = "/dev/null"});
  ocr.Wait();
  std::ifstream in(text);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(WindowScreenshotTest, ShowsTheTitleTheMenuAndTheConsole) {
  const std::string display = ":" + std::to_string(300 + ::getpid() % 300);
  ChildProcess xvfb({"/usr/bin/Xvfb", display, "-screen", "0", "640x480x24", "-nolisten", "tcp"},
                    {.stdout_file = "/dev/null", .stderr_file = "/dev/null"});
  const std::filesystem::path socket = "/tmp/.X11-unix/X" + display.substr(1);
  for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i)
    std::this_thread::sleep_for(50ms);
  ASSERT_TRUE(std::filesystem::exists(socket)) << "Xvfb did not start on " << display;

  E2eJob job("on \"ATI3\": \"VMODEM\" \"OK\"\non \"AT #VLS=2\":\n");
  job.UseWineDesktop(640, 480);
  job.StartTalvo({"000N03SPEAKER"}, {{"DISPLAY", display}});
  // The speaker's command goes unanswered: the window stands still from then on.
  ASSERT_TRUE(job.AwaitCommand("AT #VLS=2", 60s));
  std::this_thread::sleep_for(1s);
  const std::filesystem::path shot = job.Dir() / "screen.png";
  ChildProcess({"/usr/bin/import", "-display", display, "-window", "root", shot.string()}).Wait();

  EXPECT_NE(ReadStrip(shot, "120x18+16+3").find("TALVO"), std::string::npos);
  EXPECT_NE(ReadStrip(shot, "120x20+0+22", "65%").find("File"), std::string::npos);
  const std::string console = ReadStrip(shot, "470x200+4+60");
  EXPECT_NE(console.find("LGR_BUF_VOICE=190000"), std::string::npos) << console;
  EXPECT_NE(console.find("Device COM3 is opened"), std::string::npos) << console;
  job.Signal(SIGINT);
  EXPECT_EQ(job.Wait().exit_code, 0);
}

}  // namespace
