#include "qt/window_platform.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The display the environment names, "" when none.
std::string NamedDisplay() {
  const std::string wayland = Variable("WAYLAND_DISPLAY");
  return wayland.empty() ? Variable("DISPLAY") : wayland;
}

void PrintQtError(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "talvo: %s\n", message.toLocal8Bit().constData());
  }
}
}  // namespace

bool ChooseWindowPlatform() {
  if (!Variable("QT_QPA_PLATFORM").empty()) return false;
  if (NamedDisplay().empty()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  } else if (!Variable("WAYLAND_DISPLAY").empty()) {
    qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
  } else {
    qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
  }
  return true;
}

void ReportDisplayFallback() {
  if (NamedDisplay().empty()) return;
  if (QGuiApplication::platformName() != QStringLiteral("offscreen")) return;
  std::fprintf(stderr, "talvo: cannot open display %s: the window runs offscreen\n",
               NamedDisplay().c_str());
}

void QuietQtMessages() {
  qInstallMessageHandler(PrintQtError);
}
