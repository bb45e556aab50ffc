#pragma once

#include "ModalAnswerer.h"
#include "QtWarningGuard.h"

#include <memory>

class QWidget;
class UiSeam;
class WidgetUi;

// The application's own UI seam in a test: real message boxes, file, colour and font
// dialogs and the registered dialogs of the ui folders, opened modally over the main
// window, with the answerer replying to them. While it lives, a Qt warning about an item
// view's editor fails the test. The seam that was installed before comes back after.
class RealDialogs {
public:
    explicit RealDialogs(QWidget* mainWindow);
    ~RealDialogs();
    RealDialogs(const RealDialogs&) = delete;
    RealDialogs& operator=(const RealDialogs&) = delete;

    ModalAnswerer answer;

private:
    QtWarningGuard warnings;
    std::unique_ptr<WidgetUi> ui;
    UiSeam* previous;
};
