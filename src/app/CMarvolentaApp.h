#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;
class WidgetUi;

// Start-up and exit of the editor around the Qt event loop.
class CMarvolentaApp {
public:
    CMarvolentaApp();
    ~CMarvolentaApp();

    // The start-up sequence; false ends the program.
    bool InitInstance(const QStringList& arguments);
    // After the event loop: the main frame goes (writing the last project), then the
    // font and the language setting.
    int ExitInstance(int exitCode);

    CMainFrame* MainFrame() const { return frame.get(); }

    // The project a command line names: its first argument when that ends exactly in
    // ".mvl", else empty.
    static QString ProjectFromCommandLine(const QStringList& arguments);

private:
    std::unique_ptr<WidgetUi> ui;
    std::unique_ptr<CMainFrame> frame;
};
