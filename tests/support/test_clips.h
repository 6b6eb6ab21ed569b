#pragma once

// Short video clips made at test time with the GStreamer tools, so no media file is kept in the
// sources.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <filesystem>

inline bool HaveClipTools()
{
    return !QStandardPaths::findExecutable("gst-launch-1.0").isEmpty();
}

// A VP8 clip of 160 x 120 pixels and the given length in seconds at file.
inline std::filesystem::path MakeTestClip(const std::filesystem::path &file, int seconds = 1)
{
    std::filesystem::create_directories(file.parent_path());
    const QStringList arguments {
        "-q",
        "videotestsrc",
        "num-buffers=" + QString::number(30 * seconds),
        "!",
        "video/x-raw,width=160,height=120,framerate=30/1",
        "!",
        "vp8enc",
        "!",
        "webmmux",
        "!",
        "filesink",
        "location=" + QString::fromStdString(file.string()),
    };
    EXPECT_EQ(QProcess::execute("gst-launch-1.0", arguments), 0);
    return file;
}
