// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/pngplotwriter.h"

#include "batch/batchplot.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace nuperako::batch {

PngPlotWriter::PngPlotWriter()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    // Text needs a QGuiApplication; without a display, the offscreen platform serves.
    static int argc = 3;
    static char name[] = "nuperako-batch";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char *argv[] = {name, platform, offscreen, nullptr};
    // Qt wants a private runtime folder and warns when a plain shell gives none: it gets one of its own.
    static const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    m_gui.emplace(argc, argv);
}

PngPlotWriter::~PngPlotWriter() = default;

bool PngPlotWriter::open(const std::string &path)
{
    m_file.emplace(QString::fromStdString(path));
    return m_file->open(QIODevice::WriteOnly);
}

bool PngPlotWriter::write(const std::vector<RunResult> &results, std::uint64_t seed)
{
    return m_file && plotImage(results, seed).save(&*m_file, "PNG") && m_file->commit();
}

std::string PngPlotWriter::errorString() const
{
    return m_file ? m_file->errorString().toStdString() : std::string();
}

} // namespace nuperako::batch

extern "C" Q_DECL_EXPORT nuperako::batch::PlotWriter *nuperako_create_plot_writer()
{
    return new nuperako::batch::PngPlotWriter;
}
