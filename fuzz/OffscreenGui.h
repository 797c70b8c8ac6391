#pragma once

// Drawing text needs a GUI application: fuzz targets that draw start one on
// the offscreen platform from LLVMFuzzerInitialize, before the first input.

#include <QGuiApplication>

inline void startOffscreenGui(const char *programName)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char *argv[] = {const_cast<char *>(programName), nullptr};
    static QGuiApplication app(argc, argv);
}
