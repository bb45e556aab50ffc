#pragma once

#include <QDialog>

class ProjectSizeDlgDelegate;
class QLineEdit;

// Changes the size of the current project.
class CProjectSizeDlg : public QDialog {
    Q_OBJECT
public:
    CProjectSizeDlg(int width, int height, ProjectSizeDlgDelegate* delegate, QWidget* parent = nullptr);

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    QLineEdit* WidthEdit() const { return widthEdit; }
    QLineEdit* HeightEdit() const { return heightEdit; }

    void accept() override;

private:
    ProjectSizeDlgDelegate* delegate;
    int width;
    int height;
    QLineEdit* widthEdit;
    QLineEdit* heightEdit;
};
