#include "ControlFixture.h"

#include "controls/PageRendering.h"
#include "model/ElementRecord.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"

#include <QDir>

ControlFixture::ControlFixture()
{
    project.mainDelegate = &delegate;
    project.folder = dir.Path(QStringLiteral("Demo"));
    project.screen = {QString(), 800, 600};
    QDir().mkpath(project.folder);
    page = project.NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
}

QByteArray ControlFixture::Record(XControl& control)
{
    MyFile file;
    file.OpenWriteMemory();
    EXPECT_TRUE(control.Save(file));
    return file.Written();
}

XControl* ControlFixture::Read(const QByteArray& bytes, XPage* on)
{
    XPage* target = on ? on : page;
    MyFile file;
    file.OpenReadData(bytes);
    XControl* c = ReadElementRecord(file, &CreateElement, [target](XControl* e) {
        e->mainDelegate = target->mainDelegate;
        e->projectData = target->projectData;
        e->page = target;
    });
    if (c) {
        EXPECT_TRUE(file.AtEnd()) << "the record was not read to its end";
    }
    return c;
}

QByteArray ControlFixture::RoundTrip(XControl& control)
{
    const QByteArray first = Record(control);
    std::unique_ptr<XControl> copy(Read(first));
    if (!copy)
        return {};
    copy->ResolveReferences();
    return Record(*copy);
}

std::unique_ptr<ProjectData> ControlFixture::SaveAndReload()
{
    EXPECT_TRUE(project.SaveProjectFile());
    auto loaded = std::make_unique<ProjectData>();
    loaded->mainDelegate = &reloadDelegate;
    QString message;
    EXPECT_TRUE(loaded->LoadProjectFile(project.GetDataFilePath(), message)) << message.toStdString();
    return loaded;
}

QImage ControlFixture::Render(XPage* which, double zoom)
{
    delegate.zoom = zoom;
    QImage image = RenderPageImage(*which, delegate);
    delegate.zoom = 1.0;
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString ControlFixture::ImagePath(const QString& name) const
{
    return project.GetImageFolder() + u'/' + name;
}

QString ControlFixture::TextImagePath(const QString& fileName) const
{
    return project.GetTextImageFolder() + u'/' + fileName;
}

void ControlFixture::AddProjectImage(const QString& name, int w, int h, unsigned rgb)
{
    ASSERT_TRUE(WriteTestPng(ImagePath(name), w, h, rgb));
    ASSERT_TRUE(project.AddImage(ImagePath(name), name));
}

QRect OpaqueBounds(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                box |= QRect(x, y, 1, 1);
    return box;
}

int CountColour(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u) && qAlpha(image.pixel(x, y)) == 255)
                ++n;
    return n;
}

bool ControlFixture::Edit(XControl& c, quint32 id, const QVariant& value)
{
    c.FillProperties(grid);
    CMFCMyPropertyGridProperty* row = grid.FindByData(id);
    EXPECT_NE(row, nullptr) << "no row " << id;
    if (!row)
        return false;
    row->SetValueFromEditor(value);
    last = row;
    return c.OnPropertyChanged(*row);
}

QStringList ControlFixture::RowIds(XControl& c)
{
    c.FillProperties(grid);
    QStringList ids;
    for (const auto& g : grid.Groups())
        for (const auto& row : g->SubItems())
            ids << QString::number(row->data);
    return ids;
}
