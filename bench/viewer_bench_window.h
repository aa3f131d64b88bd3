#pragma once
// What the viewer benchmarks share: the real Qt window (offscreen) with a started form, a file of
// records written once into its output folder, and the record lines as the program writes them.
#include <QApplication>
#include <QCoreApplication>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_form.h"
#include "notes_files.h"
#include "timing_reporter.h"
#include "frontends/qt/qt_platform.h"
#include "support/temp_dir.h"

namespace stepwise::bench {

class ViewerBenchWindow {
public:
    ViewerBenchWindow() : platform_(temp_.path()), form_(platform_) {
        platform_.connect(form_);
        std::filesystem::create_directories(folder());
    }

    // Writes the file into the output folder (c:\qwelrand) and shows the window.
    void writeFileAndShow(const std::string& fileName, const std::string& bytes) {
        std::ofstream(folder() / fileName, std::ios::binary) << bytes;
        fileSize_ = bytes.size();
        platform_.window().show();
        QCoreApplication::processEvents();
    }

    void clearDisplayBox() {
        platform_.setText(ControlId::txt_question, u"");
        QCoreApplication::processEvents();
    }

    std::filesystem::path folder() const { return temp_.path() / "qwelrand"; }
    std::size_t fileSize() const { return fileSize_; }
    qt::QtPlatform& platform() { return platform_; }
    MainForm& form() { return form_; }

private:
    testing::TempDir temp_;
    qt::QtPlatform platform_;
    MainForm form_;
    std::size_t fileSize_ = 0;
};

// The main program of a viewer benchmark: the runs in the offscreen Qt window (unless another
// platform is asked for), then the checks; exit status 1 when they do not hold.
inline int runViewerBenchmarks(int argc, char* argv[], void (*registerBenchmarks)(),
                               bool (*checksHold)(const TimingReporter&)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    registerBenchmarks();
    TimingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return checksHold(reporter) ? 0 : 1;
}

}  // namespace stepwise::bench
