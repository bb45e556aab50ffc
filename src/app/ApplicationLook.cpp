#include "ApplicationLook.h"

#include "base/Versions.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace {

struct Look {
    int id;
    const char* key;   // translation key of its menu text
    const char* style; // Qt style
    QRgb window;
    QRgb button;
    QRgb base;
    QRgb alternate;
    QRgb text;
    QRgb highlight;
    QRgb highlightedText;
    QRgb dark; // also the background of the page area
};

// Classic, light and dark looks; each keeps the character of the look it is named after.
const Look kLooks[] = {
    {205, "906", "Windows", 0xd4d0c8, 0xd4d0c8, 0xffffff, 0xf4f2ee, 0x000000, 0x0a246a, 0xffffff, 0x808080},
    {206, "907", "Fusion", 0xf6f5f2, 0xeeede8, 0xffffff, 0xf7f7f4, 0x1b1b1b, 0xb6bdd2, 0x000000, 0x9c9a94},
    {207, "908", "Fusion", 0xece9d8, 0xf1efe2, 0xffffff, 0xf6f4ea, 0x000000, 0x316ac5, 0xffffff, 0x9d9a88},
    {208, "909", "Fusion", 0xdae7f7, 0xe3effe, 0xffffff, 0xf0f6fe, 0x0a1e3c, 0xfbd87a, 0x000000, 0x7b9ebd},
    {209, "910", "Fusion", 0xeeede5, 0xf3f2ec, 0xffffff, 0xf7f6f1, 0x1a1a1a, 0xc1d2ee, 0x000000, 0xa09e90},
    {210, "911", "Fusion", 0xe9edf2, 0xf0f3f7, 0xffffff, 0xf5f7fa, 0x1a1d21, 0x3399ff, 0xffffff, 0x8d99a8},
    {211, "912", "Fusion", 0xd5e4f2, 0xdde9f6, 0xffffff, 0xeef4fb, 0x15283e, 0xffe08a, 0x15283e, 0x6f8fb3},
    {212, "913", "Fusion", 0x3b3d41, 0x45484d, 0x2a2c2f, 0x323438, 0xeceff4, 0xe5962b, 0x111111, 0x1f2124},
    {213, "914", "Fusion", 0xe1e4e9, 0xe9ecf0, 0xffffff, 0xf2f4f7, 0x1c1f24, 0xb9c6d6, 0x000000, 0x979ea8},
    {214, "915", "Fusion", 0xd7e6ea, 0xdfedf0, 0xffffff, 0xeef6f7, 0x10292f, 0x74b9c9, 0x000000, 0x6d9aa5},
    {215, "916", "Fusion", 0xf0f0f0, 0xf4f4f4, 0xffffff, 0xf7f7f7, 0x000000, 0x3399ff, 0xffffff, 0xa0a0a0},
};

const Look& Find(int id)
{
    for (const Look& l : kLooks)
        if (l.id == id)
            return l;
    return kLooks[ApplicationLook::kDefault - ApplicationLook::kFirst];
}

QString& SettingsPathOverride()
{
    static QString path;
    return path;
}

std::unique_ptr<QSettings>& SettingsInstance()
{
    static std::unique_ptr<QSettings> settings;
    return settings;
}

} // namespace

namespace ApplicationLook {

bool IsValid(int id)
{
    return id >= kFirst && id <= kLast;
}

QString MenuKey(int id)
{
    return QString::fromLatin1(Find(id).key);
}

QString StyleName(int id)
{
    return QString::fromLatin1(Find(id).style);
}

unsigned WindowColor(int id)
{
    return Find(id).window;
}

void Apply(int id)
{
    const Look& look = Find(id);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        if (QStyle* style = QStyleFactory::create(QString::fromLatin1(look.style)))
            QApplication::setStyle(style);
    }
    QPalette p;
    const QColor window(look.window);
    const QColor text(look.text);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Button, QColor(look.button));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Base, QColor(look.base));
    p.setColor(QPalette::AlternateBase, QColor(look.alternate));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, QColor(look.highlight));
    p.setColor(QPalette::HighlightedText, QColor(look.highlightedText));
    p.setColor(QPalette::ToolTipBase, QColor(0xffffe1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(0xa0a0a0));
    const bool dark = window.lightness() < 128;
    p.setColor(QPalette::Light, dark ? window.lighter(150) : QColor(Qt::white));
    p.setColor(QPalette::Midlight, dark ? window.lighter(125) : window.lighter(110));
    p.setColor(QPalette::Mid, dark ? window.darker(120) : window.darker(130));
    p.setColor(QPalette::Dark, QColor(look.dark));
    p.setColor(QPalette::Shadow, dark ? QColor(Qt::black) : QColor(look.dark).darker(150));
    p.setColor(QPalette::Link, dark ? QColor(0x7fb4ff) : QColor(0x0b5cad));
    const QColor disabled = dark ? QColor(0x7d8087) : QColor(0x8c8c8c);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    p.setColor(QPalette::Disabled, QPalette::Text, disabled);
    QApplication::setPalette(p);
}

} // namespace ApplicationLook

void SetFrameworkSettingsPath(const QString& path)
{
    SettingsPathOverride() = path;
    SettingsInstance().reset();
}

QSettings& FrameworkSettings()
{
    std::unique_ptr<QSettings>& s = SettingsInstance();
    if (!s) {
        QString path = SettingsPathOverride();
        if (path.isEmpty()) {
            const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
            path = base + QStringLiteral("/") + QString::fromUtf8(Versions::kProductWord) + QStringLiteral("/")
                + QString::fromUtf8(Versions::kProductWord) + u' ' + QString::fromUtf8(Versions::kBuildVersion)
                + QStringLiteral(".conf");
        }
        s = std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    return *s;
}
