#pragma once

#include <QWidget>

#include <functional>

class PreviewModel;
class XPage;

// Shows the page a preview model shows, at the zoom of its snapshot's delegate, and
// turns mouse presses into touches. Only the area a touch changed is drawn again.
class CPreviewView : public QWidget {
    Q_OBJECT

public:
    explicit CPreviewView(QWidget* parent = nullptr);

    // The model to show (not owned); null shows nothing.
    void SetModel(PreviewModel* model);
    // Called after every touch that changed the state (page, looks, log).
    void SetChanged(std::function<void()> callback) { changed = std::move(callback); }
    // Fits the view to the page shown and draws it whole.
    void Refit();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint ToPage(QPoint viewPoint) const;
    QRect ToView(const QRect& pageArea) const;
    void Changed(const QRect& pageArea, const XPage* shownBefore);

    PreviewModel* model = nullptr;
    std::function<void()> changed;
};
