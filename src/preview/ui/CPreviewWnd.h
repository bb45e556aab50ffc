#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class CPreviewView;
class PreviewModel;
class PreviewSnapshot;
class ProjectData;
class QLabel;
class QListWidget;
class QToolButton;

// The preview window: the project behaving as on the panel, at the panel's size (scaled
// down to fit the screen), with a way back to the previous page, the page's name, a
// reset and the log of what the panel would send beside it. It runs on a copy of the
// project taken when it starts or is reset, so it shows the project as edited then and
// never changes it.
class CPreviewWnd : public QWidget {
    Q_OBJECT

public:
    // source gives the project to copy on a start or reset (null: nothing to show).
    CPreviewWnd(std::function<const ProjectData*()> source, QWidget* parent);
    ~CPreviewWnd() override;

    // Copies the project as it is now and starts on the page (the first page when the
    // project has none of that name); false when there is nothing to show.
    bool Start(const QString& pageName);
    PreviewModel* Model() const { return model.get(); }
    CPreviewView* View() const { return view; }

private:
    void Reset();
    void Back();
    void Refresh();
    double FitZoom() const;

    std::function<const ProjectData*()> source;
    std::unique_ptr<PreviewSnapshot> snapshot;
    std::unique_ptr<PreviewModel> model;
    QString startPage;
    CPreviewView* view = nullptr;
    QToolButton* backButton = nullptr;
    QToolButton* resetButton = nullptr;
    QLabel* pageName = nullptr;
    QLabel* logTitle = nullptr;
    QListWidget* logList = nullptr;
};
