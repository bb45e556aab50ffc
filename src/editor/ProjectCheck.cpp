#include "ProjectCheck.h"

#include "base/Ipv4Address.h"
#include "base/Translation.h"
#include "controls/TextDrawing.h"
#include "controls/XVirtualDisplayWall.h"
#include "devicelink/Packaging.h"
#include "devicelink/StreamAddress.h"
#include "devicelink/ZipFile.h"
#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/ProjectData.h"
#include "model/PropertyRows.h"
#include "model/XPage.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>


namespace {

const QString kNone = QStringLiteral("NONE");
using Severity = CheckFinding::Severity;

class Checker {
public:
    Checker(const ProjectData& project, const PackageLimits& limits) : project(project), limits(limits)
    {
        for (const ProjectData::MissingImage& missing : project.missingImages)
            missingByElement.insert(missing.element, missing.name);
    }

    std::vector<CheckFinding> Run()
    {
        CheckPageNames();
        for (const XPage* page : project.pages) {
            CheckElement(page, page);
            for (const XControl* c : page->controls) {
                CheckElement(page, c);
                CheckPlacement(page, c);
            }
            CheckSendCodes(page);
        }
        CheckContainers();
        CheckTextImages();
        CheckImageFolder();
        CheckPackage();
        std::stable_sort(findings.begin(), findings.end(),
                         [](const CheckFinding& a, const CheckFinding& b) { return a.IsError() && !b.IsError(); });
        return std::move(findings);
    }

private:
    void Add(Severity severity, const char* kind, const XPage* page, const XControl* element, const char* key,
             const QStringList& args = {})
    {
        CheckFinding f;
        f.severity = severity;
        f.kind = QString::fromLatin1(kind);
        f.page = page;
        f.element = element == page ? nullptr : element;
        f.pageName = page ? page->name : QString();
        f.elementName = f.element ? f.element->name : QString();
        f.textKey = QString::fromLatin1(key);
        f.args = args;
        findings.push_back(std::move(f));
    }

    // References find pages by name, and "NONE" is the name of no page: a page that
    // shares its name, or bears that one, cannot be referred to (nor its text images
    // told apart). The editor refuses such names; a file may still hold them.
    void CheckPageNames()
    {
        QSet<QString> seen;
        for (const XPage* page : project.pages) {
            if (page->name == kNone)
                Add(Severity::Error, "reserved-page-name", page, page, "1406", {page->name});
            else if (seen.contains(page->name))
                Add(Severity::Error, "duplicate-page-name", page, page, "1405", {page->name});
            seen.insert(page->name);
        }
    }

    bool Resolves(const XPage* page, ReferenceTarget target, const QString& name) const
    {
        switch (target) {
        case ReferenceTarget::Page: return project.FindPage(name) != nullptr;
        case ReferenceTarget::SubPage: {
            const XPage* p = project.FindPage(name);
            return p && p->GetType() == ElementType::kSubPage;
        }
        case ReferenceTarget::Control:
            for (const XControl* c : page->controls)
                if (c->name == name)
                    return true;
            return false;
        case ReferenceTarget::Group: return page->FindGroup(name) != nullptr;
        case ReferenceTarget::None: return true;
        }
        return true;
    }

    static const char* ReferenceKey(ReferenceTarget target)
    {
        switch (target) {
        case ReferenceTarget::SubPage: return "1051";
        case ReferenceTarget::Control: return "1052";
        case ReferenceTarget::Group: return "1053";
        default: return "1050";
        }
    }

    bool ImageInFolder(const QString& name) const
    {
        const QString path = project.ImagePath(name);
        return !path.isEmpty() && QFileInfo(path).isFile();
    }

    // References, images, addresses and ranges: everything the tables describe.
    void CheckElement(const XPage* page, const XControl* element)
    {
        if (const FieldTable* table = element->Fields()) {
            for (const FieldRow& row : table->Rows()) {
                if (!row.getText || !row.InVersion(table->CurrentVersion()))
                    continue;
                const QString value = row.getText(*element);
                if (row.Has(FieldFlag::Reference) && row.refersTo != ReferenceTarget::None && value != kNone
                    && !Resolves(page, row.refersTo, value))
                    Add(Severity::Error, "missing-reference", page, element, ReferenceKey(row.refersTo), {value});
                if (row.Has(FieldFlag::StreamAddress))
                    for (const QString& address : value.split(u';', Qt::SkipEmptyParts))
                        if (!IsValidStreamAddress(address.trimmed()))
                            Add(Severity::Error, "bad-address", page, element, "1063", {address.trimmed()});
                if (row.Has(FieldFlag::Ipv4Address) && !value.isEmpty() && !IsValidIpv4Address(value))
                    Add(Severity::Error, "bad-address", page, element, "1064", {value});
            }
        }
        // A wall keeps its addresses in its screens, beyond what the rows describe.
        if (const auto* wall = dynamic_cast<const XVirtualDisplayWall*>(element)) {
            for (const DisplayWallScreen& screen : wall->screens)
                for (const QString& address : QStringList(screen.ipAddress) + screen.ipGroup)
                    if (!IsValidIpv4Address(address))
                        Add(Severity::Error, "bad-address", page, element, "1064", {address});
        }
        for (const QString& image : element->ImageNames()) {
            used.insert(image);
            if (!ImageInFolder(image))
                Add(Severity::Error, "missing-image", page, element, "1054", {image});
        }
        const QStringList lost = missingByElement.values(element);
        for (auto it = lost.crbegin(); it != lost.crend(); ++it) // in the order of the load
            Add(Severity::Error, "missing-image", page, element, "1054", {*it});
        if (const PropertyTable* rows = element->Properties()) {
            for (const PropertyRow& row : rows->Rows()) {
                if (row.kind != PropertyRowKind::Integer || !row.getInt)
                    continue;
                const qint64 v = row.getInt(*element);
                if (v < row.low || v > row.high)
                    Add(Severity::Warning, "out-of-range", page, element, "1067",
                        {Translate(QString::fromLatin1(row.captionKey)), QString::number(v), QString::number(row.low),
                         QString::number(row.high)});
            }
        }
    }

    void CheckPlacement(const XPage* page, const XControl* c)
    {
        const IntRect b = c->Bounds();
        const IntRect p = page->Bounds();
        if (b.right < p.left || b.left > p.right || b.bottom < p.top || b.top > p.bottom) {
            Add(Severity::Warning, "outside-page", page, c, "1057");
            return;
        }
        // A line is drawn along its points: it may lie flat.
        if (c->GetType() != ElementType::kLine && (b.Width() == 0 || b.Height() == 0))
            Add(Severity::Warning, "zero-size", page, c, "1058");
    }

    static int IntField(const XControl* c, const char* name, int fallback)
    {
        const FieldTable* table = c->Fields();
        const FieldRow* row = table ? table->Find(name) : nullptr;
        return row && row->getInt ? static_cast<int>(row->getInt(*c)) : fallback;
    }

    static QString TextField(const XControl* c, const char* name)
    {
        const FieldTable* table = c->Fields();
        const FieldRow* row = table ? table->Find(name) : nullptr;
        return row && row->getText ? row->getText(*c) : kNone;
    }

    // Controls that send the same code act as one unless an interlock group makes them
    // alternatives.
    void CheckSendCodes(const XPage* page)
    {
        QHash<int, const XControl*> first;
        for (const XControl* c : page->controls) {
            const int code = IntField(c, "sendCode", 0);
            if (code == 0)
                continue;
            const auto it = first.constFind(code);
            if (it == first.constEnd()) {
                first.insert(code, c);
                continue;
            }
            const QString group = TextField(c, "interlockGroupName");
            if (group == kNone || group != TextField(it.value(), "interlockGroupName"))
                Add(Severity::Warning, "duplicate-send-code", page, c, "1062",
                    {QString::number(code), it.value()->name});
        }
    }

    // The sub-page a control shows, if any: the value of its sub-page reference.
    const XPage* ShownSubPage(const XControl* c) const
    {
        const FieldTable* table = c->Fields();
        if (!table)
            return nullptr;
        for (const FieldRow& row : table->Rows()) {
            if (row.refersTo != ReferenceTarget::SubPage || !row.getText)
                continue;
            const XPage* p = project.FindPage(row.getText(*c));
            if (p && p->GetType() == ElementType::kSubPage)
                return p;
        }
        return nullptr;
    }

    void CheckContainers()
    {
        // Which sub-pages each page shows through its containers.
        QHash<const XPage*, QSet<const XPage*>> shows;
        for (const XPage* page : project.pages) {
            for (const XControl* c : page->controls) {
                const XPage* sub = ShownSubPage(c);
                if (!sub)
                    continue;
                shows[page].insert(sub);
                const IntRect cb = c->Bounds();
                const IntRect sb = sub->Bounds();
                if (sb.Width() > cb.Width() || sb.Height() > cb.Height())
                    Add(Severity::Warning, "subpage-larger", page, c, "1059",
                        {sub->name, QString::number(sb.Width()), QString::number(sb.Height())});
            }
        }
        // A container is on a loop when the sub-page it shows leads back to its page.
        // Walked with a list, not recursion: a file may chain thousands of sub-pages.
        auto reaches = [&shows](const XPage* from, const XPage* target) {
            QSet<const XPage*> seen{from};
            QList<const XPage*> open{from};
            while (!open.isEmpty()) {
                const XPage* at = open.takeLast();
                if (at == target)
                    return true;
                for (const XPage* next : shows.value(at))
                    if (!seen.contains(next)) {
                        seen.insert(next);
                        open.append(next);
                    }
            }
            return false;
        };
        // Many containers show the same sub-page: ask once per pair.
        QHash<QPair<const XPage*, const XPage*>, bool> loops;
        for (const XPage* page : project.pages) {
            for (const XControl* c : page->controls) {
                const XPage* sub = ShownSubPage(c);
                if (!sub)
                    continue;
                const auto pair = qMakePair(sub, page);
                auto it = loops.find(pair);
                if (it == loops.end())
                    it = loops.insert(pair, reaches(sub, page));
                if (it.value())
                    Add(Severity::Error, "container-loop", page, c, "1060", {sub->name});
            }
        }
    }

    void CheckTextImages()
    {
        struct Writer {
            const XPage* page;
            const XControl* control;
        };
        QHash<QString, Writer> written;
        for (const XPage* page : project.pages) {
            for (const XControl* c : page->controls) {
                for (const QString& suffix : c->TextImageSuffixes()) {
                    const QString file = TextImageFileName(page->name, c->name, suffix);
                    // The panel's file system may not tell letter case apart.
                    const QString key = file.toLower();
                    const auto it = written.constFind(key);
                    if (it == written.constEnd())
                        written.insert(key, {page, c});
                    else
                        Add(Severity::Error, "text-image-clash", page, c, "1061",
                            {file, it->control->name, it->page->name});
                }
            }
        }
    }

    void CheckImageFolder()
    {
        const QStringList lost = missingByElement.values(nullptr);
        for (auto it = lost.crbegin(); it != lost.crend(); ++it)
            Add(Severity::Warning, "missing-image", nullptr, nullptr, "1055", {*it});
        if (project.folder.isEmpty())
            return;
        const QDir photo(project.GetImageFolder());
        for (const QString& file : photo.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
            if (!used.contains(file))
                Add(Severity::Warning, "unused-image", nullptr, nullptr, "1056", {file});
    }

    void CheckPackage()
    {
        if (project.folder.isEmpty() || !QFileInfo(project.folder).isDir())
            return;
        QStringList files;
        CollectFiles(project.folder, files);
        QSet<QString> folders;
        quint64 size = 0;
        for (const QString& f : files) {
            const QFileInfo info(f);
            size += static_cast<quint64>(info.size());
            folders.insert(info.absolutePath());
        }
        // Every file and every folder on the way to one is an entry, the top folder too.
        const size_t entries = static_cast<size_t>(files.size()) + static_cast<size_t>(folders.size()) + 1;
        if (entries > limits.maxEntries)
            Add(Severity::Error, "package-limit", nullptr, nullptr, "1065",
                {QString::number(entries), QString::number(limits.maxEntries)});
        if (size > limits.maxSize)
            Add(Severity::Error, "package-limit", nullptr, nullptr, "1066", {QString::number(size)});
    }

    const ProjectData& project;
    const PackageLimits limits;
    std::vector<CheckFinding> findings;
    QSet<QString> used; // images some element shows
    QMultiHash<const XControl*, QString> missingByElement;
};

} // namespace

QString CheckFinding::Text() const
{
    return TranslateFormat(textKey, args);
}

std::vector<CheckFinding> CheckProject(const ProjectData& project)
{
    return CheckProject(project, {ZipFile::kMaxEntries, ZipFile::kMaxSize});
}

std::vector<CheckFinding> CheckProject(const ProjectData& project, const PackageLimits& limits)
{
    return Checker(project, limits).Run();
}
