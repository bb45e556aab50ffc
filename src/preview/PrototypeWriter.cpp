#include "PrototypeWriter.h"

#include "PreviewLog.h"
#include "PreviewModel.h"
#include "PreviewRenderer.h"
#include "PreviewRoles.h"
#include "PreviewSnapshot.h"
#include "PrototypeScript.h"
#include "base/Translation.h"
#include "controls/XButton.h"
#include "model/ElementTypes.h"
#include "model/WorkLimits.h"
#include "model/XPage.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSaveFile>

namespace {

constexpr const char* kPictureFolder = "pictures";
// How far a button's pressed picture reaches past its rectangle (borders are centred on it).
constexpr int kPressedMargin = 4;
// Light compression: the pictures are written on every export, and read from disk.
constexpr int kPngQuality = 80;

QJsonArray RectArray(const IntRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

QString Attr(const QString& text)
{
    return text.toHtmlEscaped();
}

QString BoxStyle(const IntRect& r, const IntRect& page)
{
    return QStringLiteral("left:%1px;top:%2px;width:%3px;height:%4px")
        .arg(r.left - page.left)
        .arg(r.top - page.top)
        .arg(r.Width())
        .arg(r.Height());
}

// A visible control stacked above the container reaches into its area.
bool CoveredAbove(const XPage& page, const XControl& container)
{
    const qsizetype at = page.controls.indexOf(const_cast<XControl*>(&container));
    const QRect area = container.Bounds().ToQRect();
    for (qsizetype i = at + 1; at >= 0 && i < page.controls.size(); ++i) {
        const XControl* c = page.controls[i];
        if (c->visible != 0 && c->Bounds().Inflated(std::max(0, c->lineWidth)).ToQRect().intersects(area))
            return true;
    }
    return false;
}

// The area of a page drawn at zoom 1 into a picture of that area.
QImage DrawArea(XPage& page, const IntRect& area, const PreviewLooks& looks)
{
    const int width = WorkLimits::ClampImageSide(area.Width());
    const int height = WorkLimits::ClampImageSide(area.Height());
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(-area.left, -area.top);
    PreviewRenderer::DrawPage(painter, page, looks, area.ToQRect());
    return image;
}

class Builder {
public:
    Builder(PreviewSnapshot& snapshot, PreviewModel& model, const QString& folder)
        : snapshot(snapshot), model(model), folder(folder)
    {
        const QList<XPage*>& pages = snapshot.Project().pages;
        for (int i = 0; i < pages.size(); ++i)
            pageIndex.insert(pages[i], i);
    }

    bool Run(QString& error);
    QJsonArray elements;
    QJsonArray pageData;
    QString markup;

private:
    bool AddPage(int index, XPage& page, QString& error);
    QString AddElement(int pageNumber, XPage& page, const QImage& picture, XControl& c, QString& error);
    bool SavePicture(const QImage& image, const QString& name, QString& error);
    int IndexOf(const XPage* page) const { return page ? pageIndex.value(page, -1) : -1; }

    PreviewSnapshot& snapshot;
    PreviewModel& model;
    QString folder;
    QHash<const XPage*, int> pageIndex;
};

bool Builder::SavePicture(const QImage& image, const QString& name, QString& error)
{
    const QString path = folder + u'/' + QLatin1String(kPictureFolder) + u'/' + name;
    QSaveFile file(path);
    if (image.isNull() || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG", kPngQuality) || !file.commit()) {
        error = path;
        return false;
    }
    return true;
}

bool Builder::Run(QString& error)
{
    const QList<XPage*>& pages = snapshot.Project().pages;
    for (int i = 0; i < pages.size(); ++i)
        if (!AddPage(i, *pages[i], error))
            return false;
    return true;
}

bool Builder::AddPage(int index, XPage& page, QString& error)
{
    const IntRect b = page.Bounds();
    const QString picture = QStringLiteral("page-%1.png").arg(index);
    // Buttons unpressed, sub-pages left to the markup, levels to the script.
    PreviewLooks base;
    base.containers = false;
    const QImage drawn = DrawArea(page, b, base);
    if (!SavePicture(drawn, picture, error))
        return false;
    // One multi-argument call: a name holding "%2" stays as it is.
    markup += QStringLiteral("<section class=\"page\" data-page=\"%1\" data-index=\"%2\" hidden style=\"width:%3px;height:%4px\">\n"
                             "<img class=\"picture\" alt=\"\" src=\"%5/%6\" width=\"%3\" height=\"%4\">\n")
                  .arg(Attr(page.name), QString::number(index), QString::number(b.Width()), QString::number(b.Height()),
                       QLatin1String(kPictureFolder), picture);
    QJsonArray members;
    for (XControl* c : page.controls) {
        members.append(static_cast<int>(elements.size()));
        const QString element = AddElement(index, page, drawn, *c, error);
        if (!error.isEmpty())
            return false;
        markup += element;
    }
    markup += QStringLiteral("</section>\n");
    pageData.append(QJsonObject{{QStringLiteral("name"), page.name},
                                {QStringLiteral("sub"), page.GetType() == ElementType::kSubPage},
                                {QStringLiteral("rect"), RectArray(b)},
                                {QStringLiteral("elements"), members}});
    return true;
}

QString Builder::AddElement(int pageNumber, XPage& page, const QImage& picture, XControl& c, QString& error)
{
    static const char* const kRoleNames[] = {"passive", "button", "level", "container", "runtime"};
    const PreviewRole role = PreviewRoleOf(c.GetType());
    const int id = static_cast<int>(elements.size());
    const IntRect r = c.Bounds();
    const IntRect pageBounds = page.Bounds();
    QJsonObject e{{QStringLiteral("page"), pageNumber},
                  {QStringLiteral("name"), c.name},
                  {QStringLiteral("role"), QLatin1String(kRoleNames[static_cast<int>(role)])},
                  {QStringLiteral("rect"), RectArray(r)},
                  {QStringLiteral("hidden"), c.visible == 0}};
    QString inner;
    if (role == PreviewRole::Button) {
        auto& b = static_cast<XButton&>(c);
        const QString* group = b.InterlockGroup();
        e.insert(QStringLiteral("lit"), model.ShowsPressed(&c));
        e.insert(QStringLiteral("group"), group ? QJsonValue(*group) : QJsonValue());
        e.insert(QStringLiteral("code"), b.sendCode);
        e.insert(QStringLiteral("command"), b.commandString);
        e.insert(QStringLiteral("detail"), PreviewLog::ButtonDetail(b.buttonKind, b.auxNumber, group != nullptr));
        e.insert(QStringLiteral("jump"), IndexOf(b.JumpTarget()));
        // The pressed look, where it differs, as a picture of the button and its margin.
        const IntRect area = r.Inflated(kPressedMargin + std::max(0, c.lineWidth));
        PreviewLooks pressed;
        pressed.containers = false;
        pressed.pressed = [&c](const XControl* other) { return other == &c; };
        const QImage down = DrawArea(page, area, pressed);
        // The page's picture shows the button unpressed.
        const QImage up = picture.copy(area.ToQRect().translated(-pageBounds.left, -pageBounds.top));
        if (!down.isNull() && down != up) {
            const QString file = QStringLiteral("page-%1-%2.png").arg(pageNumber).arg(id);
            if (!SavePicture(down, file, error))
                return {};
            inner = QStringLiteral("<img class=\"pressed\" alt=\"\" src=\"%1/%2\" style=\"left:%3px;top:%4px\">")
                        .arg(QLatin1String(kPictureFolder), file, QString::number(area.left - r.left),
                             QString::number(area.top - r.top));
        }
    } else if (role == PreviewRole::Level) {
        const PreviewModel::LevelTraits t = PreviewModel::LevelOf(&c);
        e.insert(QStringLiteral("max"), t.maximum);
        e.insert(QStringLiteral("vertical"), t.vertical);
        e.insert(QStringLiteral("code"), t.sendCode);
        e.insert(QStringLiteral("channel"), t.channel);
        e.insert(QStringLiteral("dante"), c.GetType() == ElementType::kDanteVolumeBar);
        inner = QStringLiteral("<div class=\"level-band %1\" hidden></div>")
                    .arg(t.vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"));
    }
    QString after;
    if (role == PreviewRole::Container) {
        e.insert(QStringLiteral("sub"), IndexOf(model.SubPageOf(&c)));
        // Controls stacked above the container are in the page's picture, under the
        // sub-page laid into it: the part of them over the container goes above it.
        if (c.visible != 0 && CoveredAbove(page, c)) {
            PreviewLooks over;
            over.containers = false;
            over.above = &c;
            const QString file = QStringLiteral("page-%1-%2-over.png").arg(pageNumber).arg(id);
            if (!SavePicture(DrawArea(page, r, over), file, error))
                return {};
            after = QStringLiteral("<img class=\"over\" alt=\"\" src=\"%1/%2\" style=\"%3\">\n")
                        .arg(QLatin1String(kPictureFolder), file, BoxStyle(r, pageBounds));
        }
    }
    elements.append(e);
    return QStringLiteral("<div class=\"el\" data-element=\"%1\" data-role=\"%2\" data-id=\"%3\"%4 style=\"%5\">%6</div>\n")
               .arg(Attr(c.name), QLatin1String(kRoleNames[static_cast<int>(role)]), QString::number(id),
                    c.visible == 0 ? QStringLiteral(" hidden") : QString(), BoxStyle(r, pageBounds), inner)
         + after;
}

QString PageHtml(const QString& title, const Builder& builder, int start)
{
    QJsonObject texts;
    for (const QString& name : PreviewLog::FormatKeys())
        texts.insert(name, PreviewLog::FormatText(name));
    const QJsonObject data{{QStringLiteral("start"), start},
                           {QStringLiteral("pages"), builder.pageData},
                           {QStringLiteral("elements"), builder.elements},
                           {QStringLiteral("texts"), texts}};
    // Inside a script element only "</" could end it early.
    const QString json = QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact))
                             .replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    return QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                          "<style>%2</style>\n</head>\n<body>\n<header>"
                          "<button id=\"back\" type=\"button\">%3</button><span id=\"page-name\"></span>"
                          "<button id=\"reset\" type=\"button\">%4</button></header>\n"
                          "<div id=\"stage\">\n%5</div>\n<footer id=\"log\"></footer>\n"
                          "<script type=\"application/json\" id=\"prototype-data\">%6</script>\n"
                          "<script>%7</script>\n</body>\n</html>\n")
        .arg(Attr(title), PrototypeScript::StyleSheet(), Attr(Translate(QStringLiteral("1502"))),
             Attr(Translate(QStringLiteral("1503"))), builder.markup, json, PrototypeScript::Script());
}

}

bool PrototypeWriter::Write(const QString& folder, QString& error) const
{
    error.clear();
    PreviewSnapshot snapshot(project);
    snapshot.Delegate().zoom = 1.0;
    PreviewModel model(snapshot);
    model.Reset(startPage);
    if (!model.ShownPage()) {
        error = Translate(QStringLiteral("1520"));
        return false;
    }
    QDir dir(folder);
    const QString pictures = dir.filePath(QLatin1String(kPictureFolder));
    if (!QDir().mkpath(pictures)) {
        error = FormatText(Translate(QStringLiteral("1521")), {pictures});
        return false;
    }
    // Pictures of an earlier export; nothing else in the folder is touched.
    QDir old(pictures);
    for (const QString& name : old.entryList({QStringLiteral("page-*.png")}, QDir::Files))
        old.remove(name);
    Builder builder(snapshot, model, QDir::cleanPath(dir.absolutePath()));
    QString failed;
    if (!builder.Run(failed)) {
        error = FormatText(Translate(QStringLiteral("1521")), {failed});
        return false;
    }
    const int start = static_cast<int>(snapshot.Project().pages.indexOf(model.ShownPage()));
    const QString title = ProjectData::NameFromFolder(project.folder) + QStringLiteral(" · ")
        + Translate(QStringLiteral("1500"));
    QSaveFile index(dir.filePath(QStringLiteral("index.html")));
    if (!index.open(QIODevice::WriteOnly) || index.write(PageHtml(title, builder, start).toUtf8()) < 0
        || !index.commit()) {
        error = FormatText(Translate(QStringLiteral("1521")), {index.fileName()});
        return false;
    }
    return true;
}
