#pragma once

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/PropertyGridModel.h"
#include "model/XPage.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

// A project in a temporary folder with one page, the headless main delegate and the
// scripted user interface, for the control tests.
class ControlFixture : public ::testing::Test {
protected:
    ControlFixture();

    // A control of class T added to a page at the given rectangle.
    template <class T>
    T* Add(XPage* on, int x, int y, int w, int h)
    {
        auto* control = new T;
        on->AddControl(control);
        control->x1 = x;
        control->y1 = y;
        control->x2 = x + w;
        control->y2 = y + h;
        return control;
    }
    template <class T>
    T* Add(int x = 10, int y = 20, int w = 100, int h = 40)
    {
        return Add<T>(page, x, y, w, h);
    }

    // The record a control writes, as the file holds it.
    static QByteArray Record(XControl& control);
    // Reads one element record as a page reads its controls; null on failure.
    XControl* Read(const QByteArray& bytes, XPage* on = nullptr);
    // Writes the record, reads it back and writes it again: the second record.
    QByteArray RoundTrip(XControl& control);

    // Saves the project and loads it into a new one.
    std::unique_ptr<ProjectData> SaveAndReload();
    // The page drawn at a zoom, as the design view shows it.
    QImage Render(XPage* which, double zoom = 1.0);
    QString ImagePath(const QString& name) const;
    QString TextImagePath(const QString& fileName) const;
    // Writes a PNG into the project's image folder and takes it into the project.
    void AddProjectImage(const QString& name, int w, int h, unsigned rgb = 0x3366FF);
    // Edits a row as the grid does and hands it to the control; the row is kept in last.
    bool Edit(XControl& c, quint32 id, const QVariant& value);
    // The property ids of a control's rows, in the order the grid shows them.
    QStringList RowIds(XControl& c);

    PropertyGridModel grid;
    CMFCMyPropertyGridProperty* last = nullptr;

    ScriptedUi ui;
    TestFolder dir;
    HeadlessMainDelegate delegate;
    HeadlessMainDelegate reloadDelegate;
    ProjectData project;
    XPage* page = nullptr;
};

// The bounding box of the pixels that are not fully transparent, or an empty rectangle.
QRect OpaqueBounds(const QImage& image);
// The number of pixels equal to the colour (RGB, opaque).
int CountColour(const QImage& image, const QRect& area, QRgb colour);
